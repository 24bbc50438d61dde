#pragma once

#include <QObject>
#include <QVariant>

class QWebEngineView;

// The object the map page sees on its web channel as "myObject". What the page
// says through it is only passed on: the map view checks it.
class MyObject final : public QObject
{
    Q_OBJECT
public:
    explicit MyObject(QObject *parent = nullptr);

    static QString compassScript(int angle);

signals:
    void seekRequested(const QVariant &second);
    void libraryStateChanged(const QString &state);
    void tilesFailed();

public slots:
    // Turns the page's compass; a null view is ignored.
    void setCompassAngle(int angle, QWebEngineView *web);
    // The user clicked the route at a point of this second. Whatever the page
    // sends arrives as it is: a number is not taken for granted.
    void seekTo(const QVariant &second);
    // The map library's state: "loading", "ready", "failed", "refused" or "nokey".
    void setLibraryState(const QString &state);
    // Map tiles did not arrive: the network may have gone.
    void reportTilesFailed();
};
