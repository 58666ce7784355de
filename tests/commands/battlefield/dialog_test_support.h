#pragma once
// Table-driven runs of the battlefield dialogs through the dispatch: a
// record is loaded, the controls are compared with what they should show,
// the dialog is worked and OK pressed, and the record is compared with the
// one expected.
#include "commands/common/engine_test_support.h"
#include "fixtures/battlefield_fixtures.h"
#include "support/param_names.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace battlefieldtest {

using fixtures::FieldValue;

// What a control shows, as one text: a box its text, a list its current
// item, a check box or option "on"/"off", a panel "shown"/"hidden".
inline QString stateOf(QDialog &d, const char *name)
{
    QWidget *w = d.findChild<QWidget *>(QLatin1String(name));
    if (!w)
        return QStringLiteral("<no %1>").arg(QLatin1String(name));
    if (auto *box = qobject_cast<QLineEdit *>(w))
        return box->text();
    if (auto *list = qobject_cast<QComboBox *>(w))
        return list->currentText();
    if (auto *button = qobject_cast<QAbstractButton *>(w))
        return button->isChecked() ? QStringLiteral("on") : QStringLiteral("off");
    if (qobject_cast<QGroupBox *>(w))
        return w->isVisibleTo(&d) ? QStringLiteral("shown") : QStringLiteral("hidden");
    return QStringLiteral("<unknown>");
}

template<class T>
T *child(QDialog &d, const char *name)
{
    T *w = d.findChild<T *>(QLatin1String(name));
    EXPECT_TRUE(w) << name;
    return w;
}

inline void clickOn(QDialog &d, const char *name)
{
    if (auto *b = child<QAbstractButton>(d, name))
        b->click();
}

inline void choose(QDialog &d, const char *name, int index)
{
    if (auto *list = child<QComboBox>(d, name))
        list->setCurrentIndex(index);
}

// Types into a box as the user does: its text selected, then the keys.
inline void typeInto(QDialog &d, const char *name, const QString &text)
{
    if (auto *box = child<QLineEdit>(d, name)) {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
    }
}

struct Shown
{
    const char *control;
    const char16_t *state;
};

struct Case
{
    const char *name;
    int code;
    std::vector<FieldValue> stored;
    std::vector<Shown> shown;
    std::function<void(QDialog &)> act;  // before OK; may be empty
    std::vector<FieldValue> written;     // the fields OK changes
    const char16_t *captionEnd = nullptr;
    bool added = false;  // just added by an add dialog, not read from a file
};

inline void PrintTo(const Case &c, std::ostream *os) { *os << c.name; }

inline void runCase(const Case &c)
{
    SCOPED_TRACE(c.name);
    const QString record = fixtures::withFields(fixtures::battlefieldRecord(c.code), c.stored);
    const QString expected = fixtures::withFields(record, c.written);

    enginetest::CommandNode cmd(record);
    if (c.added)
        cmd.markAdded();
    cmd.edit([&](QDialog &d) {
        for (const Shown &s : c.shown)
            EXPECT_EQ(stateOf(d, s.control), QString::fromUtf16(s.state)) << s.control;
        if (c.act)
            c.act(d);
        enginetest::click(d, "cConfig");
    });
    EXPECT_EQ(cmd.record(), expected);
    EXPECT_EQ(cmd.text(), enginetest::CommandNode::caption(cmd.key()));
    if (c.captionEnd) {
        EXPECT_TRUE(cmd.text().endsWith(QString::fromUtf16(c.captionEnd))) << cmd.text().toStdString();
    }
    EXPECT_EQ(cmd.records, expected != record ? 1 : 0);
}

} // namespace battlefieldtest
