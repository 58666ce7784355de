#pragma once
// What the unit dialog tests share: finding the controls of an open dialog
// by objectName, and a node whose context reads the invented unit game data.
#include "commands/common/engine_test_support.h"
#include "fixtures/unit_fixtures.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace unittest {

inline QComboBox *list(QDialog &d, const char *name)
{
    auto *l = d.findChild<QComboBox *>(QLatin1String(name));
    EXPECT_NE(l, nullptr) << name;
    return l;
}

inline QLineEdit *box(QDialog &d, const char *name)
{
    auto *b = d.findChild<QLineEdit *>(QLatin1String(name));
    EXPECT_NE(b, nullptr) << name;
    return b;
}

inline QRadioButton *option(QDialog &d, const char *name)
{
    auto *o = d.findChild<QRadioButton *>(QLatin1String(name));
    EXPECT_NE(o, nullptr) << name;
    return o;
}

inline void useGameData(enginetest::CommandNode &cmd)
{
    cmd.ctx.gameData = &fixtures::unitGameData();
    cmd.ctx.captions.names = &fixtures::unitGameData().names;
}

} // namespace unittest
