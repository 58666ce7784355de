#pragma once
// Opens a command's dialog on a stored command and checks its window name,
// title and controls: each control by objectName with its caption (a label's
// or button's text, a frame's title, a menu or tool action's text) or, for
// an input control, the text of the label that names it; and rows of
// controls that read left to right as one sentence.
#include "commands/common/engine_test_support.h"
#include "core/catalogue.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <gtest/gtest.h>

#include <vector>

namespace controlstest {

struct Control
{
    const char *name;
    // The caption, or the label's text for an input control; null: only
    // that it exists.
    const char *text = nullptr;
    // The title of the frame that holds it, when it stands in one.
    const char *frame = nullptr;
};

struct DialogCase
{
    QString record;
    const char *form;
    QString title;
    std::vector<Control> controls;
    // Controls (by objectName) that stand in one row, left to right, each
    // after its label.
    std::vector<std::vector<const char *>> rows = {};
};

inline QString u8(const char *s) { return QString::fromUtf8(s); }

// The label whose buddy is the widget or holds it.
inline QLabel *labelFor(QDialog &d, QWidget *w)
{
    for (QLabel *label : d.findChildren<QLabel *>())
        if (label->buddy() && (label->buddy() == w || label->buddy()->isAncestorOf(w)))
            return label;
    return nullptr;
}

inline QString captionOf(QObject *o)
{
    if (auto *l = qobject_cast<QLabel *>(o))
        return l->text();
    if (auto *b = qobject_cast<QAbstractButton *>(o))
        return b->text();
    if (auto *g = qobject_cast<QGroupBox *>(o))
        return g->title();
    if (auto *a = qobject_cast<QAction *>(o))
        return a->text();
    return QString();
}

inline bool hasOwnCaption(QObject *o)
{
    return qobject_cast<QLabel *>(o) || qobject_cast<QAbstractButton *>(o) || qobject_cast<QGroupBox *>(o) ||
           qobject_cast<QAction *>(o);
}

inline QRect inDialog(QDialog &d, QWidget *w) { return QRect(w->mapTo(&d, QPoint(0, 0)), w->size()); }

inline void checkControls(QDialog &d, const DialogCase &c)
{
    EXPECT_EQ(d.objectName(), QLatin1String(c.form));
    EXPECT_EQ(d.windowTitle(), c.title);
    std::vector<Control> all = c.controls;
    all.push_back({"cConfig", "확인"});
    all.push_back({"cCancel", "취소"});
    for (const Control &ctl : all) {
        const QString name = QLatin1String(ctl.name);
        QObject *o = d.findChild<QWidget *>(name);
        if (!o)
            o = d.findChild<QAction *>(name);
        ASSERT_NE(o, nullptr) << c.form << ": no " << ctl.name;
        if (ctl.text) {
            QString text;
            if (hasOwnCaption(o)) {
                text = captionOf(o);
            } else {
                QLabel *label = labelFor(d, static_cast<QWidget *>(o));
                ASSERT_NE(label, nullptr) << c.form << ": no label for " << ctl.name;
                text = label->text();
            }
            EXPECT_EQ(text, u8(ctl.text)) << c.form << ": " << ctl.name;
        }
        if (ctl.frame) {
            QWidget *w = qobject_cast<QWidget *>(o);
            QGroupBox *frame = nullptr;
            for (QWidget *p = w ? w->parentWidget() : nullptr; p && !frame; p = p->parentWidget())
                frame = qobject_cast<QGroupBox *>(p);
            ASSERT_NE(frame, nullptr) << c.form << ": " << ctl.name << " stands in no frame";
            EXPECT_EQ(frame->title(), u8(ctl.frame)) << c.form << ": " << ctl.name;
        }
    }
}

// The widgets of a row in reading order, each control after its label.
inline std::vector<QWidget *> rowWidgets(QDialog &d, const std::vector<const char *> &names)
{
    std::vector<QWidget *> out;
    for (const char *n : names) {
        QWidget *w = d.findChild<QWidget *>(QLatin1String(n));
        EXPECT_NE(w, nullptr) << n;
        if (!w)
            continue;
        if (QLabel *label = labelFor(d, w))
            out.push_back(label);
        out.push_back(w);
    }
    return out;
}

inline void checkRows(QDialog &d, const DialogCase &c)
{
    for (const auto &names : c.rows) {
        const std::vector<QWidget *> row = rowWidgets(d, names);
        for (std::size_t i = 0; i < row.size(); ++i) {
            EXPECT_TRUE(row[i]->isVisible()) << c.form << ": " << qPrintable(row[i]->objectName());
            if (i == 0)
                continue;
            const QRect a = inDialog(d, row[i - 1]);
            const QRect b = inDialog(d, row[i]);
            EXPECT_LT(a.right(), b.left()) << c.form << ": " << qPrintable(row[i - 1]->objectName()) << " | "
                                           << qPrintable(row[i]->objectName()) << " not left to right";
            EXPECT_TRUE(a.top() <= b.bottom() && b.top() <= a.bottom())
                << c.form << ": " << qPrintable(row[i - 1]->objectName()) << " | "
                << qPrintable(row[i]->objectName()) << " not in one row";
        }
    }
}

// Opens the dialog of the case's stored command and checks it.
inline void checkDialog(const DialogCase &c)
{
    enginetest::CommandNode n(c.record);
    bool opened = false;
    n.edit([&](QDialog &d) {
        opened = true;
        checkControls(d, c);
        checkRows(d, c);
    });
    EXPECT_TRUE(opened) << c.form;
}

// The character picker's three input modes, as every picker dialog shows them.
inline const std::vector<Control> kPickerModes = {{"oList", "인물 리스트"}, {"oNum", "인물 번호"}, {"oName", "인물 이름"}};

// Two lists of controls one after the other.
inline std::vector<Control> with(std::vector<Control> a, const std::vector<Control> &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline QString stored(int code) { return core::defaultRecord(code); }
inline QString titleOf(const char *text) { return u8(text); }

} // namespace controlstest
