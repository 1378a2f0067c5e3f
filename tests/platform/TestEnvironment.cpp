#include "tests/platform/TestEnvironment.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>

namespace {

std::string Root;

class TPlatformEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        std::string Pattern = (std::filesystem::temp_directory_path() / "ventrix-platform-XXXXXX").string();
        if (mkdtemp(Pattern.data()) == nullptr)
            throw std::runtime_error("cannot make a temporary folder");
        Root = Pattern + "/";
        // Before any Qt object reads them: nothing may reach the real home.
        for (const auto& [Name, Folder] : {std::pair{"HOME", ""}, {"XDG_CONFIG_HOME", ".config"},
                                           {"XDG_DATA_HOME", ".local/share"}, {"XDG_CACHE_HOME", ".cache"}})
            setenv(Name, (TestHome() + Folder).c_str(), 1);
        std::filesystem::create_directories(Root + "run");
        std::filesystem::permissions(Root + "run", std::filesystem::perms::owner_all);
        setenv("XDG_RUNTIME_DIR", (Root + "run").c_str(), 1);
        unsetenv("XDG_CONFIG_DIRS");
        unsetenv("VENTRIX_COMMON_DATA_DIR");
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        std::filesystem::create_directories(TestHome() + ".config");
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromStdString(TestHome() + ".config"));
        QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, QString::fromStdString(Root + "etc/xdg"));
        App = std::make_unique<QApplication>(Argc, Argv);
    }

    void TearDown() override
    {
        App.reset();
        std::error_code Error;
        std::filesystem::remove_all(Root, Error);
    }

private:
    int Argc = 1;
    char ProgramName[16] = "platform_tests";
    char* Argv[2] = {ProgramName, nullptr};
    std::unique_ptr<QApplication> App;
};

testing::Environment* const Environment = testing::AddGlobalTestEnvironment(new TPlatformEnvironment);

} // namespace

const std::string& TestRoot()
{
    return Root;
}

std::string TestHome()
{
    return Root + "home/";
}

bool PumpUntil(const std::function<bool()>& Done, int Ms)
{
    QElapsedTimer Timer;
    Timer.start();
    while (!Done() && Timer.elapsed() < Ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return Done();
}
