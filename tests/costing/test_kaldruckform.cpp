// The print calculation form driven offscreen: the worked example typed in, the messages of
// "Kalkulation" and OK with their titles, icons, beeps and focus, the pages of the three
// modes, and what the form leaves in the order's totals.

#include "test_kaldruck_fixture.h"

#include "costing/forms/kaldrucklayoutview.h"

#include <gtest/gtest.h>

#include <QTabWidget>

namespace {

using namespace Qt::Literals::StringLiterals;
using Call = KaldruckFixture::Call;

TEST(KaldruckForm, WorkedExampleCalculatedAndAccepted)
{
    KaldruckFixture f;
    Call call;
    f.callForm(Request::Insert, call);
    ProcWindow *form = f.form();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->title(), u"NEUE KALKULATION "_s);

    f.typeWorkedExample(form);
    EXPECT_TRUE(f.messages.shown.empty());
    EXPECT_EQ(f.gui.text(form, K::CopiesPerSheet), u"4"_s);
    EXPECT_EQ(f.gui.text(form, K::Prints), u"2.000"_s);
    EXPECT_EQ(f.gui.text(form, K::PrintPrice), u"85,00"_s);
    EXPECT_EQ(f.gui.text(form, K::ColourChangePrice), u"45,00"_s);
    EXPECT_EQ(f.gui.text(form, K::PrintTime), u"70,00"_s);
    EXPECT_EQ(f.gui.text(form, K::Sheets), u"1"_s);
    EXPECT_EQ(f.gui.text(form, K::RowFirst + 9), u"1"_s);  // N4ANZ
    EXPECT_EQ(f.gui.text(form, K::RowFirst + 10), u"3"_s); // N4SORT
    auto *picture = qobject_cast<SheetLayoutView *>(form->control(K::SheetPicture));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->picture().count(), 4);
    EXPECT_FALSE(picture->picture().turned);

    if (const char *shot = std::getenv("KALDRUCK_SCREENSHOT")) {
        EXPECT_TRUE(f.gui.grab(form, QString::fromLocal8Bit(shot)));
    }

    f.typePaper(form);
    f.gui.press(form, K::Ok);
    ASSERT_TRUE(call.returned);
    EXPECT_EQ(call.response, Response::Completed);
    EXPECT_EQ(call.totals.WorkPrint, 85);
    EXPECT_EQ(call.totals.WorkColourChange, 45);
    EXPECT_EQ(call.totals.WorkSheets, 1);
    EXPECT_EQ(call.totals.WorkPrintMinutes, 70);
    EXPECT_EQ(call.totals.WorkHours, 1);
    EXPECT_EQ(call.totals.WorkMinutes, 10);
    EXPECT_DOUBLE_EQ(call.totals.WorkPaper, 12.5);
    EXPECT_EQ(f.count(FileId::kaldruck), 1);
}

} // namespace
