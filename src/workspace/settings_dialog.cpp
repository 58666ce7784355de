#include "workspace/settings_dialog.h"

#include "core/game/game_files.h"
#include "core/settings.h"
#include "platform/number_box.h"
#include "platform/prompts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace workspace {

namespace {

const QString kSection = QStringLiteral("Setting");
const char *const kGateKey = "GateMax";
const char *const kMovieKey = "AVIMax";

} // namespace

const std::array<SettingsDialog::Field, SettingsDialog::kFieldCount> &SettingsDialog::fields()
{
    static const std::array<Field, kFieldCount> table{{
        {"tSce", "시나리오 개수 : ", "SceMax"},
        {"tModel", "평상시 조형 개수 : ", "PMapObjMax"},
        {"tSE", "SE 효과음 개수 : ", "SE_Max"},
        {"tSE_M", "SE_M 효과음 개수 : ", "SEM_Max"},
        {"tSE_E", "SE_E 효과음 개수 : ", "SEE_Max"},
        {"tTrack", "트랙 개수 : ", "TrackMax"},
        {"tMCALL", "MCALL.E5 개수 : ", "MCallMax"},
        {"tMEFF", "MEFF.E5 개수 : ", "MEffMax"},
        {"tLOGO", "LOGO.E5 개수 : ", "LogoMax"},
        {"tGate", "GATE.E5 개수 :", "GateMax"},
        {"tCharLv", "인물 최대 레벨 : ", "CharLvMax"},
        {"tItemLv", "아이템 최대 레벨 : ", "ItemLvMax"},
        {"tAVI", "동영상 수 : ", "AVIMax"},
        {"tFace", "얼굴 개수 : ", "Face"},
        {"tBackIn", "내배경 개수 : ", "MMap2Max"},
        {"tBackOut", "외배경 개수 : ", "MMap1Max"},
        {"tUnit", "전투 조형 개수 : ", "Unit"},
        {"tVS", "로고 개수 : ", "LogoMap"},
        {"tTroop", "병종 개수 : ", "TroopCount"},
    }};
    return table;
}

const std::array<const char *, SettingsDialog::kFieldCount> &SettingsDialog::saveOrder()
{
    // A fresh file gets the keys in this order, gate and movie counts last.
    static const std::array<const char *, kFieldCount> order{
        "SceMax", "TrackMax", "SE_Max",    "SEM_Max",   "SEE_Max", "TroopCount", "MMap1Max",
        "MMap2Max", "LogoMap", "PMapObjMax", "Unit",    "Face",    "CharLvMax",  "ItemLvMax",
        "MEffMax", "MCallMax", "LogoMax",   kGateKey,  kMovieKey,
    };
    return order;
}

QString evenGateCount(const QString &text)
{
    bool ok = false;
    const qint64 n = text.toLongLong(&ok);
    if (!ok || n % 2 == 0)
        return text;
    return QString::number(n - 1);
}

SettingsDialog::SettingsDialog(QWidget *parent, core::game::GameData *gameData, FolderChanged folderChanged)
    : QDialog(parent), m_gameData(gameData), m_folderChanged(std::move(folderChanged))
{
    setObjectName(QStringLiteral("FrmSetting"));
    setWindowTitle(QStringLiteral("설정"));
    setModal(true);

    // Folder frame.
    auto *folderFrame = new QGroupBox(QStringLiteral("Folder"), this);
    folderFrame->setObjectName(QStringLiteral("fraFolder"));
    auto *folderLabel = new QLabel(QStringLiteral("한빛록 경로 : "), folderFrame);
    folderLabel->setObjectName(QStringLiteral("lblFolder"));
    m_folder = new QLineEdit(folderFrame);
    m_folder->setObjectName(QStringLiteral("tFolder"));
    // Changed only through the button, which also stores and reloads.
    m_folder->setReadOnly(true);
    m_folder->setMinimumWidth(260);
    m_folderButton = new QPushButton(QStringLiteral("…"), folderFrame);
    m_folderButton->setObjectName(QStringLiteral("cFolder"));
    m_folderButton->setAutoDefault(false);
    auto *folderRow = new QHBoxLayout(folderFrame);
    folderRow->addWidget(folderLabel);
    folderRow->addWidget(m_folder, 1);
    folderRow->addWidget(m_folderButton);

    // Config frame: two columns of caption and box.
    auto *configFrame = new QGroupBox(QStringLiteral("Config"), this);
    configFrame->setObjectName(QStringLiteral("fraConfig"));
    auto *grid = new QGridLayout(configFrame);
    for (int i = 0; i < kFieldCount; ++i) {
        const Field &f = fields()[i];
        const int row = i / 2;
        const int col = (i % 2) * 2;
        auto *caption = new QLabel(QString::fromUtf8(f.caption), configFrame);
        caption->setObjectName(QStringLiteral("lbl") + QString::fromLatin1(f.box).mid(1));
        auto *box = new platform::NumberBox(configFrame);
        box->setObjectName(QString::fromLatin1(f.box));
        caption->setBuddy(box);
        grid->addWidget(caption, row, col, Qt::AlignRight);
        grid->addWidget(box, row, col + 1);
        m_boxes[i] = box;
    }

    m_save = new QPushButton(QStringLiteral("저장"), this);
    m_save->setObjectName(QStringLiteral("cSave"));
    m_save->setDefault(true);
    m_save->setAutoDefault(true);
    // Esc's button; the dialog shows no cancel button of its own.
    m_cancel = new QPushButton(this);
    m_cancel->setObjectName(QStringLiteral("Command3"));
    m_cancel->setAutoDefault(false);
    m_cancel->hide();

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_save);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(folderFrame);
    layout->addWidget(configFrame);
    layout->addLayout(buttons);

    connect(m_folderButton, &QPushButton::clicked, this, &SettingsDialog::chooseFolder);
    connect(m_save, &QPushButton::clicked, this, &SettingsDialog::save);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    // As stored, without defaults: a missing key leaves its box empty.
    // (The invented game a run may use is not stored: the box stays empty.)
    m_folder->setText(core::readINI(QStringLiteral("Folder"), QStringLiteral("Path"), core::iniPath()).trimmed());
    for (int i = 0; i < kFieldCount; ++i)
        m_boxes[i]->setText(core::readINI(kSection, QString::fromLatin1(fields()[i].key)));
}

int SettingsDialog::open(QWidget *parent, core::game::GameData *gameData, FolderChanged folderChanged)
{
    SettingsDialog dialog(parent, gameData, std::move(folderChanged));
    return dialog.exec();
}

platform::NumberBox *SettingsDialog::box(const char *name) const
{
    for (int i = 0; i < kFieldCount; ++i)
        if (qstrcmp(fields()[i].box, name) == 0)
            return m_boxes[i];
    return nullptr;
}

void SettingsDialog::chooseFolder()
{
    core::game::GameData scratch;
    core::game::GameData &data = m_gameData ? *m_gameData : scratch;
    if (!m_gameData)
        data.folder = core::game::folderLoad();

    PromptsFolderPrompt prompt(this);
    const core::game::GameLoadReport report = core::game::folder(data, prompt);
    if (prompt.chosen())
        m_folder->setText(data.folder);

    if (m_folderChanged) {
        m_folderChanged(data.folder, report);
    } else if (!report.ok()) {
        platform::Prompts::instance().message(this, report.messages.join(QLatin1Char('\n')),
                                              QStringLiteral("Error!"), platform::MsgButtons::Ok,
                                              platform::MsgIcon::Exclamation);
    }
}

void SettingsDialog::save()
{
    // The key keeps its trailing blank, as the folder routines write it.
    core::writeINI(QStringLiteral("Folder"), QStringLiteral("Path "), m_folder->text());

    platform::NumberBox *gate = box("tGate");
    gate->setText(evenGateCount(gate->text()));

    for (const char *key : saveOrder()) {
        for (int i = 0; i < kFieldCount; ++i) {
            if (qstrcmp(fields()[i].key, key) == 0) {
                core::writeINI(kSection, QString::fromLatin1(key), m_boxes[i]->text());
                break;
            }
        }
    }
    accept();
}

} // namespace workspace
