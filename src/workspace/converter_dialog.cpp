#include "workspace/converter_dialog.h"

#include "core/settings.h"
#include "platform/prompts.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace workspace {

namespace {

// Like every question of the editor, through the prompts tests can answer.
QStringList defaultChooseFiles(QWidget *parent, const QString &title, const QString &folder, const QString &filter)
{
    return platform::Prompts::instance().openFiles(parent, {title, folder, QString(), filter});
}

void defaultShowMessage(QWidget *parent, const QString &title, const QString &text, bool error)
{
    platform::Prompts::instance().message(parent, text, title, platform::MsgButtons::Ok,
                                          error ? platform::MsgIcon::Critical : platform::MsgIcon::Information);
}

// At most this many file names in the question; the rest are counted.
constexpr int kNamedFiles = 20;

// Converting rewrites the files in place into a layout this editor cannot
// open: the user says yes to exactly these files first. 아니요 is the default.
bool confirmConversion(QWidget *parent, const QStringList &files)
{
    QStringList names = files.mid(0, kNamedFiles);
    if (files.size() > kNamedFiles)
        names << QStringLiteral("… 외 %1개").arg(files.size() - kNamedFiles);
    const QString text = QStringLiteral("다음 파일 %1개를 확장 형식으로 변환합니다.\n"
                                        "파일은 그 자리에서 새 형식으로 다시 쓰이며, "
                                        "변환한 파일은 이 편집기에서 열 수 없습니다.\n\n%2\n\n변환하시겠습니까?")
                             .arg(QString::number(files.size()), names.join(u'\n'));
    return platform::Prompts::instance().message(parent, text, QStringLiteral("EEX 변환"),
                                                 platform::MsgButtons::YesNoDefaultNo, platform::MsgIcon::Exclamation)
           == platform::MsgResult::Yes;
}

} // namespace

ConverterDialog::ConverterDialog(Hooks hooks, QWidget *parent) : QDialog(parent), m_hooks(std::move(hooks))
{
    if (!m_hooks.chooseFiles)
        m_hooks.chooseFiles = defaultChooseFiles;
    if (!m_hooks.showMessage)
        m_hooks.showMessage = defaultShowMessage;

    setObjectName(QStringLiteral("FrmChangeEEX"));
    setWindowTitle(QStringLiteral("Select"));
    setModal(true);

    m_oneMore = new QCheckBox(QStringLiteral("한번이라도 변환한 적이 있음"), this);
    m_oneMore->setObjectName(QStringLiteral("ckOneMore"));
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("pbEEX"));
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_add = new QPushButton(QStringLiteral("EEX 변환"), this);
    m_add->setObjectName(QStringLiteral("cAdd"));
    m_add->setDefault(true);
    m_add->setAutoDefault(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_oneMore);
    layout->addWidget(m_progress);
    layout->addWidget(m_add);

    connect(m_add, &QPushButton::clicked, this, &ConverterDialog::chooseFilesToConvert);
}

void ConverterDialog::chooseFilesToConvert()
{
    const QString folder = core::readINI(QStringLiteral("Folder"), QStringLiteral("Path")).trimmed();
    const QStringList files = m_hooks.chooseFiles(this, QStringLiteral("EEX 파일을 열어주세요."), folder,
                                                  QStringLiteral("EEX 파일 (*.eex)"));
    if (files.isEmpty())
        return;
    QStringList scenarios;
    for (const QString &f : files)
        if (core::isEexPath(f))
            scenarios << f;
    // Said before the question: a yes to files that cannot be converted
    // would convert nothing.
    const QStringList open = core::eexFilesOpenInTabs(scenarios, m_hooks.isPathOpen);
    if (!open.isEmpty()) {
        m_hooks.showMessage(this, QStringLiteral("Error!"), core::eexFilesOpenText(open), true);
        return;
    }
    if (!scenarios.isEmpty() && !confirmConversion(this, scenarios))
        return;
    convertFiles(files);
}

void ConverterDialog::convertFiles(const QStringList &files)
{
    core::EexConvertOptions options;
    options.convertedBefore = m_oneMore->isChecked();

    m_add->setEnabled(false);
    m_progress->setRange(0, std::max<int>(1, int(files.size())));
    m_progress->setValue(0);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_result = core::convertEexFiles(files, options, m_hooks.isPathOpen, [this](int done, int total) {
        m_progress->setRange(0, std::max(1, total));
        m_progress->setValue(done);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    m_add->setEnabled(true);
    if (m_result.ok)
        m_progress->setValue(m_progress->maximum());

    m_hooks.showMessage(this, m_result.title, m_result.message, !m_result.ok);
    done(m_result.ok ? QDialog::Accepted : QDialog::Rejected);
}

} // namespace workspace
