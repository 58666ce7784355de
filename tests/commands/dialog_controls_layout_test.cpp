// The controls of the dialogs with coordinates, frames and named labels, on
// stored commands: every control is there under its name, labels and frames
// read as the dialog's own texts, the controls of a frame sit inside it, and
// the boxes of the coordinates stand in one row after "좌표 : (".
#include "commands/common/engine_test_support.h"
#include "core/key_codec.h"
#include "fixtures/unit_fixtures.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <ostream>
#include <utility>
#include <vector>

using enginetest::CommandNode;
using fixtures::FieldValue;

namespace {

using Texts = std::vector<std::pair<const char *, const char16_t *>>;
using Names = std::vector<const char *>;

struct LayoutCase {
    const char *what;
    int code;
    std::vector<FieldValue> stored;  // on the catalogue's record
    Texts labels;                    // label objectName -> text
    Texts frames;                    // frame objectName -> title
    std::vector<std::pair<const char *, const char *>> inside;  // control -> the frame holding it
    Names controls;                  // further controls that exist
    Names hidden;                    // controls or frames hidden in this state
    // The coordinate row from left to right: label texts and control names.
    const char16_t *row;
};

const LayoutCase kCases[] = {
    {"1F viewpoint", 0x1F, {},
     {{"Label1", u"X : "}, {"Label2", u"Y : "}}, {}, {}, {"tX", "tY", "cMap1"}, {}, nullptr},
    {"21 object", 0x21, {{9, 4, 3}, {21, 4, 4}},
     {{"Label1", u"좌표 : ("}, {"Label2", u"물체"}}, {}, {}, {"cbThings", "ckViewPoint", "ckDelay"}, {},
     u"좌표 : ( tX , tY ) cMap1"},
    {"25 entry point", 0x25, {},
     {{"Label1", u"인물"}, {"Label2", u"좌표 : ("}}, {}, {}, {"oList", "oNum", "oName", "cbChar"}, {},
     u"좌표 : ( tX , tY ) cMap1"},
    {"26 entry zone", 0x26, {},
     {{"Label2", u"인물"}, {"Label3", u"좌표 : ("}}, {}, {}, {"cbChar"}, {},
     u"좌표 : ( tX0 , tY0 ) - ( tX1 , tY1 ) cMap1"},
    {"29 face shown", 0x29, {},
     {{"Label1", u"인물"}, {"Label2", u"좌표 : ("}}, {}, {}, {"cbChar"}, {},
     u"좌표 : ( tX , tY ) cMapShow"},
    {"2A face moved", 0x2A, {},
     {{"Label1", u"인물"}, {"Label2", u"좌표 : ("}}, {}, {}, {"cbChar"}, {},
     u"좌표 : ( tX , tY ) cMapShow"},
    {"2B face removed", 0x2B, {}, {{"Label1", u"인물"}}, {}, {}, {"cbChar"}, {}, nullptr},
    {"2D clicked", 0x2D, {}, {{"Label1", u"인물"}}, {}, {}, {"cbChar"}, {}, nullptr},
    {"2E adjacent", 0x2E, {},
     {{"Label10", u"인물"}, {"Label11", u"인물"}}, {}, {}, {"cbChar0", "cbChar1", "ckExpansion"}, {}, nullptr},
    {"30 appearance", 0x30, {},
     {{"lblcbChar", u"인물"}, {"lbltX", u"좌표 : ("}, {"lblcbDirection", u"방향"}, {"lblcbActive", u"동작"}}, {}, {},
     {"pbModel"}, {}, u"좌표 : ( tX , tY ) cMap1"},
    {"31 on a person", 0x31, {},
     {{"lblcbChar", u"인물"}},
     {{"Quillframe1", u"범위"}, {"gbChar", u"CharIndex"}, {"gbZone", u"구역"}},
     {{"oChar", "Quillframe1"}, {"oZone", "Quillframe1"}, {"oList", "gbChar"}, {"oName", "gbChar"},
      {"cbChar", "gbChar"}, {"tNum", "gbChar"}, {"lblcbChar", "gbChar"}, {"tX0", "gbZone"}, {"tY1", "gbZone"},
      {"cbArmy", "gbZone"}, {"cMap1", "gbZone"}},
     {}, {"gbZone"}, nullptr},
    {"31 on a zone", 0x31, {{9, 2, 1}},
     {{"lbltX0", u"좌표 : ("}, {"lblcbArmy", u"전투측"}},
     {{"Quillframe1", u"범위"}, {"gbChar", u"CharIndex"}, {"gbZone", u"구역"}},
     {{"lbltX0", "gbZone"}, {"lblcbArmy", "gbZone"}},
     {"oZone"}, {"gbChar", "oList", "cbChar"}, u"좌표 : ( tX0 , tY0 ) - ( tX1 , tY1 ) cMap1"},
    {"32 on a person", 0x32, {},
     {{"lblcbChar", u"인물"}, {"lbltX", u"좌표 : ("}, {"lblcbDirection", u"방향"}},
     {{"gbChar", u"CharIndex"}, {"gbBF", u"BFIndex"}},
     {{"oList", "gbChar"}, {"oNum", "gbChar"}, {"cbChar", "gbChar"}, {"lblcbChar", "gbChar"},
      {"tBFIndex", "gbBF"}, {"lbltBFIndex", "gbBF"}},
     {"oChar", "oBF", "cbDirection"}, {"gbBF"}, u"좌표 : ( tX , tY ) cMap1"},
    {"32 on a battlefield index", 0x32, {{9, 2, 1}},
     {{"lbltBFIndex", u"BFIndex"}, {"lbltX", u"좌표 : ("}},
     {{"gbChar", u"CharIndex"}, {"gbBF", u"BFIndex"}}, {},
     {}, {"gbChar", "oList"}, u"좌표 : ( tX , tY ) cMap1"},
    {"41 on a rectangle", 0x41, {{37, 2, 1}},
     {{"lblcbArmy", u"전투측"}, {"lbltCompareNum", u"숫자"}, {"lblcbCompare", u"비교"}, {"lblcbZone", u"범위"},
      {"Label30", u"좌표 : ("}},
     {}, {}, {}, {}, u"좌표 : ( tX0 , tY0 ) - ( tX1 , tY1 ) cMap1"},
    {"41 on the whole map", 0x41, {},
     {{"lblcbZone", u"범위"}, {"Label30", u"좌표 : ("}}, {}, {}, {}, {"Label30", "tX0", "tY1", "cMap1"}, nullptr},
    {"53 on a zone", 0x53, {{9, 2, 1}},
     {}, {{"gbZone", u"구역"}}, {{"tX0", "gbZone"}, {"tY1", "gbZone"}}, {}, {"gbChar"},
     u"좌표 : ( tX0 , tY0 ) - ( tX1 , tY1 )"},
};

void PrintTo(const LayoutCase &c, std::ostream *os)
{
    *os << c.what;
}

class DialogControlsLayout : public ::testing::TestWithParam<LayoutCase>
{
};

bool within(const QObject *child, const QObject *ancestor)
{
    for (const QObject *o = child; o; o = o->parent())
        if (o == ancestor)
            return true;
    return false;
}

QRect placeIn(QDialog &d, const QWidget *w)
{
    return QRect(w->mapTo(&d, QPoint(0, 0)), w->size());
}

// The visible controls whose middle lies in the label's row, left to right:
// a label by its text, any other control by its name.
QString rowAfter(QDialog &d, QLabel *lead)
{
    const QRect band = placeIn(d, lead);
    std::vector<std::pair<int, QString>> cells;
    for (QWidget *w : d.findChildren<QWidget *>()) {
        const bool control = qobject_cast<QLabel *>(w) || qobject_cast<QLineEdit *>(w) ||
                             qobject_cast<QAbstractButton *>(w) || qobject_cast<QComboBox *>(w);
        if (!control || !w->isVisible() || qobject_cast<QComboBox *>(w->parentWidget()))
            continue;
        const QRect r = placeIn(d, w);
        if (r.center().y() < band.top() || r.center().y() > band.bottom() || r.left() < band.left())
            continue;
        auto *label = qobject_cast<QLabel *>(w);
        cells.emplace_back(r.left(), label ? label->text().trimmed() : w->objectName());
    }
    std::sort(cells.begin(), cells.end());
    QStringList row;
    for (const auto &[x, text] : cells)
        row << text;
    return row.join(u' ');
}

TEST_P(DialogControlsLayout, ControlsCarryTheirNamesAndTexts)
{
    const LayoutCase &c = GetParam();
    QString record = fixtures::unitRecord(c.code);
    for (const FieldValue &f : c.stored)
        core::keyWriteField(record, f.pos, f.width, f.value);
    CommandNode cmd(record);
    const QString key = cmd.key();
    cmd.edit([&](QDialog &d) {
        d.layout()->activate();
        QApplication::processEvents();
        for (const auto &[name, text] : c.labels) {
            auto *label = d.findChild<QLabel *>(QLatin1String(name));
            ASSERT_NE(label, nullptr) << name;
            EXPECT_EQ(label->text().toStdString(), QString::fromUtf16(text).toStdString()) << name;
        }
        for (const auto &[name, title] : c.frames) {
            auto *frame = d.findChild<QGroupBox *>(QLatin1String(name));
            ASSERT_NE(frame, nullptr) << name;
            EXPECT_EQ(frame->title().toStdString(), QString::fromUtf16(title).toStdString()) << name;
        }
        for (const auto &[name, frame] : c.inside) {
            auto *w = d.findChild<QWidget *>(QLatin1String(name));
            ASSERT_NE(w, nullptr) << name;
            EXPECT_TRUE(within(w, d.findChild<QGroupBox *>(QLatin1String(frame)))) << name << " in " << frame;
        }
        for (const char *name : c.controls)
            EXPECT_NE(d.findChild<QWidget *>(QLatin1String(name)), nullptr) << name;
        for (const char *name : c.hidden) {
            auto *w = d.findChild<QWidget *>(QLatin1String(name));
            ASSERT_NE(w, nullptr) << name;
            EXPECT_FALSE(w->isVisible()) << name;
        }
        // The boxes are no longer labelled one by one.
        for (QLabel *label : d.findChildren<QLabel *>())
            for (const char16_t *old : {u"좌표 X", u"좌표 Y", u"좌표 X1", u"- X", u"- Y", u"대상"})
                EXPECT_NE(label->text(), QString::fromUtf16(old));
        if (c.row) {
            QLabel *lead = nullptr;
            for (QLabel *label : d.findChildren<QLabel *>())
                if (label->text() == QStringLiteral("좌표 : (") && label->isVisible())
                    lead = label;
            ASSERT_NE(lead, nullptr);
            EXPECT_EQ(rowAfter(d, lead).toStdString(), QString::fromUtf16(c.row).toStdString());
        }
        enginetest::click(d, "cCancel");
    });
    EXPECT_EQ(cmd.key(), key);
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogControlsLayout, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<LayoutCase> &info) {
                             std::string name;
                             for (const char *p = info.param.what; *p; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

} // namespace
