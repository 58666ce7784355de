#pragma once
// The duel preview: opened on the node whose children hold a duel start, it
// prepares the stage, plays every duel command after the start and closes
// itself. A click fills the speech balloon being typed at once; closing the
// window (close box or Escape) stops the play at once, a wait in progress
// included, and returns.
// Only one preview plays at a time. The animations live in DuelStage; this
// window paints the stage.
#include "commands/duel/duel_pictures.h"
#include "commands/duel/duel_script.h"
#include "commands/duel/duel_stage.h"
#include "workspace/edit_context.h"

#include <QDialog>

#include <memory>

namespace commands::duel {

class GameFontGlyphs;

class DuelPreviewWindow : public QDialog
{
    Q_OBJECT
public:
    // `sleeper` replaces the real wait (tests); by default the waits keep
    // the window's events going.
    explicit DuelPreviewWindow(workspace::EditContext &ctx, Sleeper sleeper = {});
    ~DuelPreviewWindow() override;

    // Prepares and plays; the window closes itself at the end. Runs once,
    // on the first showing; tests call it directly.
    void run();
    // Ends the dialog (Escape, the close box, the program); a play in
    // progress stops at once.
    void done(int result) override;

    DuelStage &stage() { return *m_stage; }
    DuelPictures &pictures() { return m_pictures; }
    bool playing() const { return m_playing; }
    // Whether some preview is playing now (a second one is not opened).
    static bool anyPlaying();
    // The loading screen's parts that are visible now.
    struct Loading {
        bool cover = true;
        bool enemy = false;   // fighter 1's face and name labels
        bool army = false;    // fighter 0's
        bool vs = false;
        bool faces[2] = {false, false};
    };
    const Loading &loading() const { return m_loading; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void stopPlay();
    void playAll();
    void play(const DuelScript &script);
    void playStep(const DuelStep &step);
    void sleep(std::int64_t tenThousandths);
    void keepAlive();
    void paintLoading(class QPainter &p);

    workspace::EditContext &m_ctx;
    Sleeper m_sleeper;
    DuelPictures m_pictures;
    std::unique_ptr<GameFontGlyphs> m_font;
    std::unique_ptr<DuelStage> m_stage;
    Loading m_loading;
    QString m_names[2];
    bool m_started = false;
    bool m_ran = false;
    bool m_playing = false;
    bool m_stopped = false;
    // Deleted to end a wait in progress when the window is closed.
    std::unique_ptr<QObject> m_waitGuard;
};

} // namespace commands::duel
