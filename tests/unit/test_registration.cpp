// The registration plan and its run over a scripted "send and wait".

#include "registration.h"

#include <QByteArrayList>
#include <gtest/gtest.h>
#include <memory>

using namespace zevo3;

namespace {

QByteArrayList texts(const std::vector<RegistrationMessage> &plan) {
    QByteArrayList out;
    for (const RegistrationMessage &m : plan)
        out << m.text;
    return out;
}

void learn(CodeTable &table, int row, int entries) {
    WaveInfo &info = table.waveInfo(row);
    info.Carry = 380;
    info.DataBits = 3;
    info.Pcode[0] = 1;
    info.Pcode[1] = 2;
    info.Pcode[2] = 3;
    for (int i = 0; i < entries; ++i) {
        info.High[size_t(i)] = 350;
        info.Width[size_t(i)] = 700 * (i + 1);
    }
}

} // namespace

TEST(Registration, ButtonFieldsFromCells) {
    EXPECT_EQ(keyButtonField("012(F03:W01)"), ",0C,81");
    EXPECT_EQ(keyButtonField("012(F01:W15)"), ",0C,0F");
    EXPECT_EQ(keyButtonField("070(F02:W99)"), ",46,E3");
    EXPECT_EQ(keyButtonField(""), ",--,--");
    EXPECT_EQ(keyButtonField("000(F03:W01)"), ",--,--");
    EXPECT_EQ(keyButtonField("abc"), ",--,--");
    // A code above the table's rows (only a file can hold one) is sent as it reads.
    EXPECT_EQ(keyButtonField("200(F01:W01)"), ",C8,01");
}

TEST(Registration, AnEmptyLayoutStillSendsFifteenKeyRows) {
    auto table = std::make_unique<CodeTable>();
    LayoutData layout;
    const auto plan = RegistrationPlan(*table, layout);
    ASSERT_EQ(plan.size(), 15u);
    EXPECT_EQ(plan[0].text, "Kw:01,--,--,--,--,--,--,--,--,--,--,--,--,--,--,--,--");
    EXPECT_EQ(plan[14].text.left(6), "Kw:15,");
    for (const RegistrationMessage &m : plan) {
        EXPECT_TRUE(m.decides);
        EXPECT_TRUE(m.logged);
    }
}

TEST(Registration, CodesUpToTheFirstGapWithTheTwpStopRule) {
    auto table = std::make_unique<CodeTable>();
    learn(*table, 1, 0);  // entry 0 both zero: one Twp
    learn(*table, 2, 16); // all 16 entries
    learn(*table, 3, 5);
    table->waveInfo(3).High[3] = 0; // High 0 but Width not: goes on
    learn(*table, 5, 2);            // after the gap at row 4: not registered
    LayoutData layout;
    layout.setCell(2, 1, "003(F03:W01)");
    const auto plan = RegistrationPlan(*table, layout);
    const QByteArrayList all = texts(plan);
    EXPECT_EQ(all[1], "Kw:02,03,81,--,--,--,--,--,--,--,--,--,--,--,--,--,--");
    const QByteArrayList row1 = all.mid(15, 6);
    EXPECT_EQ(row1, (QByteArrayList{"Twc:380", "Twb:003", "Twr:000", "Twp:0:00000,000000",
                                    "Twd:1233", "Tws:001"}));
    EXPECT_EQ(all.count("Twp:F:00350,011200"), 1);
    EXPECT_TRUE(all.contains("Twp:3:00000,002800"));
    EXPECT_TRUE(all.contains("Twp:5:00000,000000")); // row 3 stops after entry 5, both zero
    EXPECT_TRUE(all.contains("Tws:003"));
    EXPECT_FALSE(all.contains("Tws:005"));
    EXPECT_EQ(all.last(), "Tws:003");
    // 15 key rows + (3 + 1 + 2) + (3 + 16 + 2) + (3 + 6 + 2).
    EXPECT_EQ(plan.size(), size_t(15 + 6 + 21 + 11));
    // Only Tws decides among the code messages; none is logged.
    for (size_t i = 15; i < plan.size(); ++i) {
        EXPECT_EQ(plan[i].decides, plan[i].text.startsWith("Tws:")) << plan[i].text.constData();
        EXPECT_FALSE(plan[i].logged);
    }
}

TEST(Registration, TheRunStopsOnlyWhereADecidingMessageIsNotAcknowledged) {
    auto table = std::make_unique<CodeTable>();
    learn(*table, 1, 2);
    learn(*table, 2, 2);
    LayoutData layout;
    const auto plan = RegistrationPlan(*table, layout);

    QByteArrayList sent;
    QList<int> groups;
    QByteArray silentOn;
    RegistrationHooks hooks;
    hooks.sendAndWait = [&](const RegistrationMessage &m) {
        sent << m.text;
        return m.text != silentOn;
    };
    hooks.beforeGroup = [&](const RegistrationMessage &m) { groups << m.number; };

    // Every message acknowledged.
    RegistrationOutcome all = RunRegistration(plan, hooks);
    EXPECT_EQ(all.end, RegistrationEnd::Completed);
    EXPECT_EQ(all.sent, int(plan.size()));
    EXPECT_EQ(groups, (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 1, 2}));

    // A code message other than Tws unanswered: it only costs its wait.
    sent.clear();
    silentOn = "Twb:003";
    EXPECT_EQ(RunRegistration(plan, hooks).end, RegistrationEnd::Completed);
    EXPECT_EQ(sent.size(), int(plan.size()));

    // A key row unanswered: no further key rows and no codes.
    sent.clear();
    silentOn = plan[4].text;
    RegistrationOutcome keyRow = RunRegistration(plan, hooks);
    EXPECT_EQ(keyRow.end, RegistrationEnd::NotAcknowledged);
    EXPECT_EQ(keyRow.failed, 4);
    EXPECT_EQ(sent.size(), 5);

    // The first Tws unanswered: the second code is not sent.
    sent.clear();
    silentOn = "Tws:001";
    RegistrationOutcome tws = RunRegistration(plan, hooks);
    EXPECT_EQ(tws.end, RegistrationEnd::NotAcknowledged);
    EXPECT_EQ(sent.last(), "Tws:001");
    EXPECT_FALSE(sent.contains("Tws:002"));

    // Stopped by the operator after three messages.
    sent.clear();
    silentOn.clear();
    hooks.stopRequested = [&] { return sent.size() == 3; };
    RegistrationOutcome stopped = RunRegistration(plan, hooks);
    EXPECT_EQ(stopped.end, RegistrationEnd::Stopped);
    EXPECT_EQ(stopped.sent, 3);
}

TEST(Registration, FiringTestCursorSteps) {
    LayoutData layout;
    layout.setCell(1, 1, "001(F03:W01)");
    layout.setCell(1, 2, "002(F03:W01)");
    layout.setCell(15, 7, "007(F03:W01)");
    // Occupied neighbour: to the right; empty neighbour: next row, column 1.
    EXPECT_EQ(FiringTestNext(layout, 1, 1), (CellPosition{1, 2}));
    EXPECT_EQ(FiringTestNext(layout, 1, 2), (CellPosition{2, 1}));
    // Column 8: next row, column 1; in the last row, column 1 of that row.
    EXPECT_EQ(FiringTestNext(layout, 3, 8), (CellPosition{4, 1}));
    EXPECT_EQ(FiringTestNext(layout, 15, 8), (CellPosition{15, 1}));
    // The last row goes right even onto an empty cell.
    EXPECT_EQ(FiringTestNext(layout, 15, 7), (CellPosition{15, 8}));
}
