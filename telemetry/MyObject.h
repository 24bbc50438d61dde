#pragma once

#include <QObject>

class QWebEngineView;

// The object the map page sees on its web channel as "myObject".
class MyObject final : public QObject
{
    Q_OBJECT
public:
    explicit MyObject(QObject *parent = nullptr);

    static QString compassScript(int angle);

public slots:
    // Turns the page's compass; a null view is ignored.
    void setCompassAngle(int angle, QWebEngineView *web);
};
