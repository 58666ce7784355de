#include "workspace/about_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace workspace {

const QString AboutDialog::kTitleLine = QStringLiteral("시나리오 에디터 (Storyloom)");
const QString AboutDialog::kDescriptionLine =
    QStringLiteral("시나리오 파일(.eex)을 만들고 고치는 편집기입니다.");

QString AboutDialog::builtWithLine()
{
    return QStringLiteral("Qt %1").arg(QString::fromLatin1(qVersion()));
}

AboutDialog::AboutDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmInformation"));
    setWindowTitle(QStringLiteral("프로그램 정보"));
    setModal(true);

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

    auto *builtWith = new QLabel(builtWithLine(), this);
    builtWith->setObjectName(QStringLiteral("Label2"));
    builtWith->setAlignment(Qt::AlignCenter);
    builtWith->setTextFormat(Qt::PlainText);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(icon);
    layout->addWidget(title);
    layout->addWidget(description);
    layout->addWidget(builtWith);
}

int AboutDialog::open(QWidget *parent)
{
    AboutDialog dialog(parent);
    return dialog.exec();
}

} // namespace workspace
