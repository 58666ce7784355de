#pragma once
// "배속 설정": the speed factor of the duel preview, kept as text in
// [Option] VS_Speed. The box takes only digits and points; OK writes the
// text as typed, or "1.0" when it does not read as a number above 0. The
// close box writes nothing.
#include <QDialog>
#include <QValidator>

class QLineEdit;
class QPushButton;

namespace workspace {

// Digits and "." only, typed or pasted; any number of points.
class SpeedTextValidator : public QValidator
{
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override;
};

// The text OK stores: `typed` itself, or "1.0" when its leading number (the
// way the preview reads it) is missing, zero or negative.
QString duelSpeedToStore(const QString &typed);

class DuelSpeedDialog : public QDialog
{
    Q_OBJECT
public:
    explicit DuelSpeedDialog(QWidget *parent = nullptr);

    // Builds the dialog afresh and shows it modally.
    static int open(QWidget *parent);

    QLineEdit *delayBox() const { return m_delay; }
    // Command1 ("확인", Enter): stores the factor and closes.
    void confirm();

private:
    QLineEdit *m_delay = nullptr;
    QPushButton *m_ok = nullptr;
};

} // namespace workspace
