// The player as the user runs it: a render view with one OpenGL view per
// channel, the multi-channel player driving all of them, until channel 0 ends.
// Prints frames handed on per channel and frames drawn. With
// KELMORA_BENCH_HIDDEN=1 the views stay hidden: decoding and hand-off only.
#include "bench_common.h"

#include "library/DbModel.h"
#include "playback/OrbPlayer.h"
#include "playback/PlayObject.h"
#include "render/ControlBarInterface.h"
#include "render/RenderView.h"
#include "render/VideoRender.h"

#include <QApplication>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {
class SilentBar final : public ControlBarInterface
{
public:
    void setPanoramaButtonEnabled(bool) override { }
    void setZoomButtonsEnabled(bool) override { }
    void clearPopupReferences() override { }
};
} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_player_group FILE...\n");
        return 2;
    }
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    qRegisterMetaType<VideoDataOrb>("VideoDataOrb");

    QWidget area;
    area.resize(1108, 660);
    auto *renderView = new RenderView(&area);
    renderView->setGeometry(0, 0, 1108, 600);
    auto *bar = new SilentBar;
    bar->setParent(&area);
    if (qEnvironmentVariableIsEmpty("KELMORA_BENCH_HIDDEN"))
        area.show();

    QList<DbModel *> models;
    for (int i = 1; i < argc; ++i) {
        auto *model = new DbModel;
        model->path = QFileInfo(argv[i]).absoluteFilePath();
        model->fileName = QFileInfo(argv[i]).fileName();
        models << model;
    }
    OrbPlayer player;
    const QList<QWidget *> views = renderView->initViews(models, bar, {}, {}, {});
    player.playFiles(models, renderView->channelOutputs());
    std::vector<std::atomic_int> handedOn(size_t(player.channels().size()));
    for (int i = 0; i < player.channels().size(); ++i) {
        QObject::connect(
            player.channels().at(i), &PlayObject::updateTexture2D, player.channels().at(i),
            [&handedOn, i] { ++handedOn[size_t(i)]; }, Qt::DirectConnection);
    }
    QObject::connect(&player, &OrbPlayer::playbackStateChange, &app, [&app](PlayObjectState state) {
        if (state == Ended || state == Error)
            app.quit();
    });
    app.exec();
    for (int i = 0; i < views.size(); ++i) {
        auto *render = qobject_cast<VideoRender *>(views.at(i));
        std::printf("channel %d handed_on=%d drawn=%d\n", i, handedOn[size_t(i)].load(),
                    render ? render->framesTaken() : -1);
    }
    player.clearChannels();
    printUsage("player_group");
    qDeleteAll(models);
    return 0;
}
