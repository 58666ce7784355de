#include "workspace/duel_speed_dialog.h"

#include "core/settings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace workspace {

namespace {
const QString kSection = QStringLiteral("Option");
const QString kKey = QStringLiteral("VS_Speed");
const QString kDefaultSpeed = QStringLiteral("1.0");
} // namespace

QValidator::State SpeedTextValidator::validate(QString &input, int &pos) const
{
    Q_UNUSED(pos);
    for (QChar c : input)
        if (!(c.unicode() >= '0' && c.unicode() <= '9') && c != QLatin1Char('.'))
            return Invalid;
    return Acceptable;
}

QString duelSpeedToStore(const QString &typed)
{
    double speed = 0;
    if (!core::parseLeadingNumber(typed, &speed) || speed <= 0)
        return kDefaultSpeed;
    return typed;
}

DuelSpeedDialog::DuelSpeedDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmVSDelay"));
    setWindowTitle(QStringLiteral("배속 설정"));
    setModal(true);

    auto *label = new QLabel(QStringLiteral("배속"), this);
    label->setObjectName(QStringLiteral("Label1"));
    m_delay = new QLineEdit(this);
    m_delay->setObjectName(QStringLiteral("tDelay"));
    m_delay->setValidator(new SpeedTextValidator(m_delay));
    // Digits and points arrive single-byte even in Hangul mode.
    m_delay->setAttribute(Qt::WA_InputMethodEnabled, false);
    label->setBuddy(m_delay);
    m_ok = new QPushButton(QStringLiteral("확인"), this);
    m_ok->setObjectName(QStringLiteral("Command1"));
    m_ok->setDefault(true);
    m_ok->setAutoDefault(true);

    auto *row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_delay, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(m_ok, 0, Qt::AlignRight);

    connect(m_ok, &QPushButton::clicked, this, &DuelSpeedDialog::confirm);

    // As stored; a missing key opens an empty box.
    m_delay->setText(core::readINI(kSection, kKey));
}

int DuelSpeedDialog::open(QWidget *parent)
{
    DuelSpeedDialog dialog(parent);
    return dialog.exec();
}

void DuelSpeedDialog::confirm()
{
    m_delay->setText(duelSpeedToStore(m_delay->text()));
    core::writeINI(kSection, kKey, m_delay->text());
    accept();
}

} // namespace workspace
