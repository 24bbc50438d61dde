#pragma once

#include <QDialog>
#include <QPointer>
#include <QRect>

class QLabel;

// Geometry of a full-window layer over a reference window: a margin of 10
// around it and room for the title bar above and below.
QRect fullWindowLayerGeometry(const QRect &reference, int titleBarHeight);

// Moves a child of a full-window layer so that it sits centred over the host,
// wherever the host lies in its window and however the window is framed.
void centreOverHost(QWidget *child, const QWidget *host);

// Makes a dialog a translucent, frameless, modal layer over the active window,
// deleted later once finished. Shared by HudDialog and PromptBox.
void coverActiveWindow(QDialog *layer, const char *noWindowLine);

// A full-window translucent modal layer over the host: either the loading
// animation (mode 0) or the import progress layer hosting an import panel.
// Main thread only.
class HudDialog final : public QDialog
{
    Q_OBJECT
public:
    HudDialog(int mode, QWidget *host);

    // Import layer: hosts any panel with a sendLoadingCompleted() signal and
    // closes when that panel reports the import done.
    template<class Panel>
    HudDialog(Panel *panel, QWidget *host)
        : HudDialog(static_cast<QWidget *>(panel), host, ImportLayer {})
    {
        connect(panel, &Panel::sendLoadingCompleted, this, &HudDialog::finishLoading);
    }
    ~HudDialog() override;

    QWidget *panel() const { return m_panel; }

signals:
    void sendLoadingFinished();

public slots:
    void testSize();
    void testSizeView(QWidget *widget);
    // Closes the layer and reports the import finished.
    void finishLoading();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct ImportLayer
    {
    };
    HudDialog(QWidget *panel, QWidget *host, ImportLayer);

    QWidget *m_panel = nullptr;
    QLabel *m_movieLabel = nullptr;
    QPointer<QWidget> m_host;
    bool m_finished = false;
};
