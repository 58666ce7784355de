#include "commands/duel/duel_preview_window.h"

#include "commands/duel/duel_dialogs.h"
#include "commands/duel/duel_game_font.h"
#include "commands/duel/duel_preparation.h"
#include "core/game/game_data.h"
#include "platform/time_sleep.h"
#include "workspace/dialog_registry.h"

#include <QCloseEvent>
#include <QHideEvent>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <cmath>

namespace commands::duel {

namespace {

constexpr QRect kFace2Box(0, 0, 120, 120);    // fighter 1
constexpr QRect kFace1Box(488, 248, 120, 120); // fighter 0
constexpr int kLoadedPause = 1000;

// Thrown from the waits once the window is closed; run() catches it, so it
// only ever crosses the stage's own code, never an event loop.
struct StopPlay {};

int g_playing = 0;

QString charName(const workspace::ProgramServices &ctx, int person)
{
    const core::NameTables *names = ctx.nameTables();
    if (!names || person < 0 || person >= names->charNames.size())
        return {};
    return names->charNames[person];
}

void drawShadowed(QPainter &p, const QString &text, const QFont &font, const QPoint (&at)[4], const QColor (&colours)[4],
                  int copies, QSize size)
{
    p.setFont(font);
    for (int i = copies - 1; i >= 0; --i) {
        p.setPen(colours[i]);
        p.drawText(QRect(at[i], size), Qt::AlignLeft | Qt::AlignTop, text);
    }
}

} // namespace

DuelPreviewWindow::DuelPreviewWindow(workspace::EditContext &ctx, Sleeper sleeper)
    : QDialog(ctx.parent), m_ctx(ctx), m_sleeper(std::move(sleeper))
{
    setObjectName(QStringLiteral("FrmVSView"));
    setWindowTitle(QStringLiteral("일기토 미리보기"));
    setFixedSize(kStageWidth, kStageHeight);
    m_stage = std::make_unique<DuelStage>(m_pictures, [this](std::int64_t amount) { sleep(amount); });
    m_pictures.onShow = [this] { update(); };
}

DuelPreviewWindow::~DuelPreviewWindow() = default;

bool DuelPreviewWindow::anyPlaying()
{
    return g_playing > 0;
}

void DuelPreviewWindow::sleep(std::int64_t tenThousandths)
{
    if (m_stopped)
        throw StopPlay{};
    if (m_sleeper) {
        m_sleeper(tenThousandths);
        if (m_stopped)
            throw StopPlay{};
        return;
    }
    if (tenThousandths <= 0)
        return;
    const qint64 ms = std::min<qint64>((tenThousandths + 5000) / 10000, std::numeric_limits<int>::max());
    if (ms == 0) {
        QCoreApplication::processEvents();
        return;
    }
    // False when the window was closed meanwhile or the program is quitting.
    if (!platform::timeSleep(int(ms), m_waitGuard.get()) || m_stopped)
        throw StopPlay{};
}

void DuelPreviewWindow::keepAlive()
{
    if (!m_sleeper)
        QCoreApplication::processEvents();
    if (m_stopped)
        throw StopPlay{};
}

void DuelPreviewWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_started) {
        m_started = true;
        QTimer::singleShot(0, this, &DuelPreviewWindow::run);
    }
}

void DuelPreviewWindow::run()
{
    if (m_ran)
        return;
    m_ran = true;
    m_started = true;
    m_playing = true;
    ++g_playing;
    m_waitGuard = std::make_unique<QObject>();
    const auto finish = [this] {
        m_playing = false;
        --g_playing;
        m_waitGuard.reset();
        done(m_stopped ? QDialog::Rejected : QDialog::Accepted);
    };
    try {
        playAll();
    } catch (const StopPlay &) {
        // Closed: nothing more is drawn or waited for.
    }
    finish();
}

void DuelPreviewWindow::playAll()
{

    const std::vector<ScriptNode> children = childrenOf(m_ctx.doc(), m_ctx.doc().selected());
    const std::optional<DuelScript> script = scriptOf(children);
    if (!script) {
        return;
    }
    for (int m = 0; m < 2; ++m) {
        if (!previewablePerson(script->persons[m])) {
            m_ctx.ask().message(this, kNoPersonMessage, QStringLiteral("Error!"), platform::MsgButtons::Ok,
                                platform::MsgIcon::Exclamation);
            return;
        }
    }
    for (int m = 0; m < 2; ++m)
        m_names[m] = charName(m_ctx, script->persons[m]);

    const DuelSettings settings = readDuelSettings(m_ctx.readSetting);
    m_font = std::make_unique<GameFontGlyphs>(GameFont::fromFolder(settings.folder.folder));
    m_pictures.setFont(m_font.get());
    const QString error = prepareDuel(settings, script->persons, m_pictures, *m_stage, [this](LoadingStep step) {
        switch (step) {
        case LoadingStep::FacesLoaded:
            break;
        case LoadingStep::EnemyShown:
            m_loading.enemy = true;
            m_loading.faces[1] = true;
            break;
        case LoadingStep::ArmyShown:
            m_loading.army = true;
            m_loading.faces[0] = true;
            break;
        case LoadingStep::VsShown:
            m_loading.vs = true;
            break;
        case LoadingStep::FrameSetReady:
            break;
        }
        update();
        keepAlive();
    });
    if (!error.isEmpty()) {
        m_ctx.ask().message(this, QStringLiteral("일기토 미리보기를 준비하지 못했습니다.\n%1").arg(error),
                            QStringLiteral("일기토 미리보기"), platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
        return;
    }
    // The pause after loading is the one wait the speed does not scale.
    sleep(waitAmount(kLoadedPause, 1.0));
    m_loading = Loading{};
    m_loading.faces[0] = m_loading.faces[1] = true;
    m_loading.cover = false;
    m_pictures.nameShow(0, m_names[0]);
    m_pictures.nameShow(1, m_names[1]);

    play(*script);
}

void DuelPreviewWindow::play(const DuelScript &script)
{
    for (const DuelStep &step : script.steps)
        playStep(step);
}

void DuelPreviewWindow::playStep(const DuelStep &s)
{
    DuelStage &stage = *m_stage;
    switch (s.kind) {
    case StepKind::Advent:
        stage.advent(s.fighter);
        stage.active(s.fighter, s.value);
        stage.wordShow(s.fighter, s.text, true);
        return;
    case StepKind::Label:
        stage.labelShow();
        return;
    case StepKind::Die:
        stage.die(s.fighter);
        return;
    case StepKind::Say:
        stage.wordShow(s.fighter, s.text, s.flag);
        return;
    case StepKind::Active:
        stage.active(s.fighter, s.value);
        return;
    case StepKind::Attack1:
        stage.attack1(s.fighter, s.value, s.flag);
        return;
    case StepKind::Attack2:
        stage.attack2(s.fighter, s.value, s.flag);
        return;
    case StepKind::Delay:
        stage.timeDelay(s.count);
        return;
    }
}

void DuelPreviewWindow::stopPlay()
{
    if (!m_playing)
        return;
    // The play runs inside this window's waits: the wait in progress ends
    // now, the play stops there and run() finishes the window.
    m_stopped = true;
    m_waitGuard.reset();
}

void DuelPreviewWindow::closeEvent(QCloseEvent *event)
{
    if (!m_playing) {
        QDialog::closeEvent(event);
        return;
    }
    stopPlay();
    event->ignore();
    hide();
}

void DuelPreviewWindow::done(int result)
{
    // Escape and every other way of ending the dialog stop the play as the
    // close box does, so the call that opened it returns.
    stopPlay();
    m_ran = true;  // ended before its play began: it never begins
    QDialog::done(result);
}

void DuelPreviewWindow::hideEvent(QHideEvent *event)
{
    // Hidden by the program (not minimised): nothing plays unseen.
    if (!event->spontaneous())
        stopPlay();
    QDialog::hideEvent(event);
}

void DuelPreviewWindow::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    if (!kFace1Box.contains(at) && !kFace2Box.contains(at))
        m_stage->talkSkip = true;
    QDialog::mousePressEvent(event);
}

void DuelPreviewWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawImage(0, 0, m_pictures.stage());
    if (m_loading.cover)
        paintLoading(p);
    // A face box shows its picture at its own size, cut at the box.
    for (int m = 0; m < 2; ++m) {
        const QRect box = m == 0 ? kFace1Box : kFace2Box;
        if (m_loading.faces[m] && !m_pictures.face(m).isNull()) {
            p.save();
            p.setClipRect(box);
            p.fillRect(box, palette().window());
            p.drawImage(box.topLeft(), m_pictures.face(m));
            p.restore();
        }
    }
    if (m_loading.cover) {
        QFont big(QStringLiteral("Gulim"), 48, QFont::Bold);
        if (m_loading.enemy)
            drawShadowed(p, m_names[1], big, {{128, 37}, {128, 37}, {128, 34}, {}},
                         {QColor(0, 0, 255), QColor(128, 128, 128), QColor(0, 0, 192), {}}, 3, QSize(128, 64));
        if (m_loading.army)
            drawShadowed(p, m_names[0], big, {{344, 288}, {344, 290}, {344, 293}, {}},
                         {QColor(255, 0, 0), QColor(192, 0, 0), QColor(128, 128, 128), {}}, 3, QSize(128, 64));
        if (m_loading.vs)
            drawShadowed(p, QStringLiteral("VS"), big, {{272, 160}, {273, 161}, {274, 162}, {275, 163}},
                         {Qt::white, QColor(224, 224, 224), QColor(128, 128, 128), Qt::black}, 4, QSize(80, 64));
    }
    if (m_pictures.labelVisible()) {
        QFont label(QStringLiteral("Gulim"), 72, QFont::Bold);
        drawShadowed(p, QStringLiteral("승 부"), label, {{200, 144}, {201, 145}, {202, 146}, {}},
                     {Qt::white, QColor(192, 192, 192), QColor(64, 64, 64), {}}, 3, QSize(225, 96));
    }
}

void DuelPreviewWindow::paintLoading(QPainter &p)
{
    // The cover: a grey panel with a fine pattern and a bevelled edge.
    const QRect all(0, 0, 624, 384);
    p.fillRect(all, QColor(192, 192, 192));
    p.fillRect(all, QBrush(QColor(176, 176, 176), Qt::Dense6Pattern));
    p.setPen(Qt::white);
    p.drawLine(0, 0, width() - 1, 0);
    p.drawLine(0, 0, 0, height() - 1);
    p.setPen(QColor(96, 96, 96));
    p.drawLine(width() - 1, 0, width() - 1, height() - 1);
    p.drawLine(0, height() - 1, width() - 1, height() - 1);
}

void registerDuelPreviewWindow(workspace::DialogRegistry &registry)
{
    registry.registerTool(
        workspace::kDuelPreviewTool,
        [](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> {
            // A preview already playing (its window closing) is not joined by another.
            if (DuelPreviewWindow::anyPlaying())
                return nullptr;
            return std::make_unique<DuelPreviewWindow>(ctx);
        });
}

} // namespace commands::duel
