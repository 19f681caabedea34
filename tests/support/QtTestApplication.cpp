// SPDX-License-Identifier: GPL-2.0-or-later
#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Widgets need one application object for the whole test program. The bar
// writes autostart entries, browser manifests and caches under the user's
// folders, so the whole program runs with a home of its own.
class QtApplicationEnvironment : public testing::Environment
{
public:
    void SetUp() override
    {
        m_home = std::make_unique<QTemporaryDir>();
        const QByteArray home = m_home->path().toUtf8();
        qputenv("HOME", home);
        qputenv("XDG_CONFIG_HOME", home + "/config");
        qputenv("XDG_DATA_HOME", home + "/data");
        qputenv("XDG_CACHE_HOME", home + "/cache");
        qputenv("XDG_RUNTIME_DIR", home + "/runtime");
        m_app = new QApplication(m_argc, m_argv);
    }
    void TearDown() override
    {
        delete m_app;
        m_home.reset();
    }

private:
    int m_argc = 1;
    char m_name[16] = "kvel_tests";
    char* m_argv[2] = {m_name, nullptr};
    QApplication* m_app = nullptr;
    std::unique_ptr<QTemporaryDir> m_home;
};

const testing::Environment* const kApplication =
    testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

} // namespace
