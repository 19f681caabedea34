#include "SettingsLocation.h"

#include "QtPrinters.h"
#include "SettingsFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kvel;
using namespace kvel::test;
using namespace Qt::StringLiterals;

TEST(SettingsLocation, WritableProgramFolderHoldsTheSettings)
{
    QTemporaryDir programDir;
    EXPECT_EQ(settingsFilePath(programDir.path()), programDir.filePath(u"kvel.ini"_s));
}

TEST(SettingsLocation, WithoutAProgramFolderTheSettingsGoToTheConfigFolder)
{
    QTemporaryDir home;
    const EnvironmentGuard config("XDG_CONFIG_HOME", home.filePath(u"config"_s));
    EXPECT_EQ(settingsFilePath(home.filePath(u"missing"_s)),
              home.filePath(u"config/kvel/kvel.ini"_s));
}
