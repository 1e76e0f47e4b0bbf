#include "app/ControlIds.h"
#include "e2e/Driver.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using e2e::WaitFor;
namespace id = ids::main;

constexpr const char* ShutDownQuestion = "Do You Really want to ShutDown Computer at this time? "
                                         "\r Press Yes for Agreement, or No for Cancel";

// The fields, the spin button, "Update Date and Time" and the hibernate button: locked while a
// shutdown is armed.
constexpr int Locked[] = {id::Edit1,     id::SpinButton1, id::ComboBox1, id::ComboBox2,
                          id::ComboBox3, id::ComboBox4,   id::Button2,   id::BitBtn25};

bool StatusEndsWith(const e2e::Trelvix& app, const std::string& ending) {
    const std::string line = app.StatusText(app.Control(id::StatusBar1));
    return line.size() >= ending.size() &&
           line.compare(line.size() - ending.size(), ending.size(), ending) == 0;
}

int EnabledCount(const e2e::Trelvix& app) {
    int enabled = 0;
    for (int control : Locked)
        enabled += IsWindowEnabled(app.Control(control)) != FALSE ? 1 : 0;
    return enabled;
}

// The moment armed lies next year, and the one refused lies last year: no check
// of this test can reach any of them, so the machine is never switched off.
TEST(ShutdownE2e, ArmsNextYearLocksThePageDisarmsAndRefusesImpossibleMoments) {
    e2e::ForgetSettings();
    e2e::Trelvix app;
    app.Start();
    app.ClickTab(app.Control(id::Disks), 3);
    HWND year = app.Control(id::Edit1), shutDown = app.Control(id::BitBtn4);
    const int thisYear = std::stoi(app.Text(year));
    EXPECT_EQ(app.Text(shutDown), "Now not ShutDown Computer at this time");

    e2e::ClickSpin(app.Control(id::SpinButton1), true);
    ASSERT_TRUE(WaitFor([&] { return app.Text(year) == std::to_string(thisYear + 1); }));
    const auto choose = [&](const char* month, const char* day) {
        const std::pair<int, const char*> fields[] = {{id::ComboBox1, month},
                                                      {id::ComboBox2, day},
                                                      {id::ComboBox3, "12"},
                                                      {id::ComboBox4, "0"}};
        for (const auto& [combo, text] : fields)
            e2e::SetFieldText(app.Control(combo), text);
    };
    choose("1", "1");
    e2e::Click(shutDown);
    HWND question = app.WaitForWindow(L"#32770");
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(app.Text(question), "Warning!");
    EXPECT_EQ(e2e::BoxText(question), ShutDownQuestion);
    e2e::AnswerBox(question, IDYES);
    ASSERT_TRUE(WaitFor([&] { return StatusEndsWith(app, "; ShutDown=Yes;"); }));
    EXPECT_EQ(EnabledCount(app), 0);
    EXPECT_TRUE(IsWindowEnabled(shutDown));
    EXPECT_EQ(app.Text(shutDown), "Now ShutDown Computer at this Time");

    e2e::Click(shutDown); // disarms without a question
    ASSERT_TRUE(WaitFor([&] { return StatusEndsWith(app, "; ShutDown=No;"); }));
    EXPECT_EQ(EnabledCount(app), static_cast<int>(std::size(Locked)));
    EXPECT_EQ(app.Text(shutDown), "Now not ShutDown Computer at this Time");

    e2e::SetFieldText(year, std::to_string(thisYear - 1));
    e2e::Click(shutDown);
    question = app.WaitForWindow(L"#32770");
    ASSERT_NE(question, nullptr);
    e2e::AnswerBox(question, IDYES);
    HWND refusal = app.WaitForWindow(L"#32770");
    ASSERT_NE(refusal, nullptr);
    EXPECT_EQ(e2e::BoxText(refusal), "Choose a date and time that exist and have not passed yet.");
    e2e::AnswerBox(refusal, IDOK);
    EXPECT_TRUE(StatusEndsWith(app, "; ShutDown=No;"));
    EXPECT_EQ(EnabledCount(app), static_cast<int>(std::size(Locked)));
    app.Close();
}

} // namespace
