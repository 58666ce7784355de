#include "workspace/frm_information.h"

#include <QApplication>
#include <QDesktopServices>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QStyle>
#include <QVBoxLayout>

namespace workspace {

const QString FrmInformation::kTitleLine = QStringLiteral("시나리오 에디터 (Storyloom)");
const QString FrmInformation::kDescriptionLine =
    QStringLiteral("시나리오 파일(.eex)을 만들고 고치는 편집기입니다.");
// A placeholder of this project; no site answers at this address.
const QUrl FrmInformation::kCommunityUrl = QUrl(QStringLiteral("https://storyloom.invalid/community"));
const QColor FrmInformation::kLinkColor = QColor(0, 0, 255);
const QColor FrmInformation::kLinkHoverColor = QColor(255, 0, 0);

FrmInformation::FrmInformation(QWidget *parent, UrlOpener opener) : QDialog(parent), m_opener(std::move(opener))
{
    if (!m_opener)
        m_opener = [](const QUrl &url) { return QDesktopServices::openUrl(url); };

    setObjectName(QStringLiteral("FrmInformation"));
    setWindowTitle(QStringLiteral("프로그램 정보"));
    setModal(true);
    // Moving off the link anywhere on the box turns it blue again.
    setMouseTracking(true);

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("Image1"));
    QIcon programIcon = QApplication::windowIcon();
    if (programIcon.isNull())
        programIcon = style()->standardIcon(QStyle::SP_FileDialogDetailedView);
    icon->setPixmap(programIcon.pixmap(32, 32));
    icon->setAlignment(Qt::AlignCenter);

    auto *title = new QLabel(kTitleLine, this);
    title->setObjectName(QStringLiteral("Label1"));
    title->setAlignment(Qt::AlignCenter);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);

    auto *description = new QLabel(kDescriptionLine, this);
    description->setObjectName(QStringLiteral("Label3"));
    description->setAlignment(Qt::AlignCenter);

    m_link = new QLabel(kCommunityUrl.toString(), this);
    m_link->setObjectName(QStringLiteral("Label2"));
    m_link->setAlignment(Qt::AlignCenter);
    m_link->setCursor(Qt::PointingHandCursor);
    m_link->setMouseTracking(true);
    QFont underlined = m_link->font();
    underlined.setUnderline(true);
    m_link->setFont(underlined);
    m_link->installEventFilter(this);
    setLinkColor(kLinkColor);

    for (QLabel *label : {icon, title, description})
        label->setMouseTracking(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(icon);
    layout->addWidget(title);
    layout->addWidget(description);
    layout->addWidget(m_link);
}

int FrmInformation::open(QWidget *parent, UrlOpener opener)
{
    FrmInformation dialog(parent, std::move(opener));
    return dialog.exec();
}

QColor FrmInformation::linkColor() const { return m_link->palette().color(QPalette::WindowText); }

void FrmInformation::setLinkColor(const QColor &color)
{
    QPalette p = m_link->palette();
    p.setColor(QPalette::WindowText, color);
    m_link->setPalette(p);
}

void FrmInformation::openLink() { m_opener(kCommunityUrl); }

bool FrmInformation::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_link) {
        switch (event->type()) {
        case QEvent::Enter:
        case QEvent::MouseMove:
            setLinkColor(kLinkHoverColor);
            break;
        case QEvent::Leave:
            setLinkColor(kLinkColor);
            break;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton
                && m_link->rect().contains(static_cast<QMouseEvent *>(event)->position().toPoint())) {
                openLink();
                return true;
            }
            break;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FrmInformation::mouseMoveEvent(QMouseEvent *event)
{
    // Moves over the link that the label leaves unhandled arrive here too.
    if (childAt(event->position().toPoint()) != m_link)
        setLinkColor(kLinkColor);
    QDialog::mouseMoveEvent(event);
}

} // namespace workspace
