#include <QApplication>
#include <gtest/gtest.h>

namespace {

// Widgets need one application object for the whole test program.
class QtApplicationEnvironment : public testing::Environment
{
public:
    void SetUp() override { m_app = new QApplication(m_argc, m_argv); }
    void TearDown() override { delete m_app; }

private:
    int m_argc = 1;
    char m_name[16] = "kvel_tests";
    char* m_argv[2] = {m_name, nullptr};
    QApplication* m_app = nullptr;
};

const testing::Environment* const kApplication =
    testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

} // namespace
