// `zimbrel --screenshot` as a program: the PNG has the window's size, a song that cannot be read
// still gives a window (and says so in the log), and bad usage ends with status 2.
#include "tests/FileContents.h"
#include "tests/TempDir.h"

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// Runs the program in `folder`, with a profile of its own there; the exit status.
int RunZimbrel(const TempDir& folder, const QStringList& arguments)
{
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_CONFIG_HOME", QString::fromStdString(folder.Path("config")));
    environment.insert("ASAN_OPTIONS", "detect_leaks=0");  // Qt's plugins keep what they load
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(QString::fromStdString(folder.Root()));
    program.start(ZIMBREL_PROGRAM, arguments);
    if (!program.waitForFinished(60000))
        return -1;
    return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
}

}  // namespace

TEST(Screenshot, SavesThePaintedWindowAtItsSize)
{
    TempDir folder;
    std::filesystem::create_directories(folder.Path("Data"));
    const std::string song = std::string(ZIMBREL_SOURCE_DIR) + "/Data/Example.zimbrel";
    const QString picture = QString::fromStdString(folder.Path("window.png"));
    ASSERT_EQ(RunZimbrel(folder, {"--screenshot", picture, "--size", "1000x700",
                                  QString::fromStdString(song)}),
              0);
    const QImage image(picture);
    EXPECT_EQ(image.size(), QSize(1000, 700));
    EXPECT_NE(FileContents(folder.Path("Zimbrel.log"))
                  .find("'Example' has been compiled successfully\r\n"),
              std::string::npos);

    const QString second = QString::fromStdString(folder.Path("missing.png"));
    ASSERT_EQ(RunZimbrel(folder, {"--screenshot", second, "no-such-song.zimbrel"}), 0);
    EXPECT_FALSE(QImage(second).isNull());
    EXPECT_NE(FileContents(folder.Path("Zimbrel.log")).find("Error : Cannot read"),
              std::string::npos);

    EXPECT_EQ(RunZimbrel(folder, {"--screenshot", picture, "--size", "12x7"}), 2);
    EXPECT_EQ(RunZimbrel(folder, {"--no-such-option"}), 2);
}
