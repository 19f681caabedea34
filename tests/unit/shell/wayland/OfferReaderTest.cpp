// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/wayland/OfferReader.h"

#include <QSignalSpy>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace kvel;

namespace {

constexpr int kWaitMs = 5000;

struct ReadCase
{
    const char* name;
    QByteArray written;
    qsizetype limit;
    QByteArray read;
};

class Reading : public testing::TestWithParam<ReadCase>
{
};

TEST_P(Reading, StopsAtTheEndOrTheLimit)
{
    const ReadCase& c = GetParam();
    int fds[2];
    ASSERT_EQ(pipe2(fds, O_CLOEXEC), 0);
    OfferReader reader(fds[0], c.limit);
    QSignalSpy spy(&reader, &OfferReader::finished);
    ASSERT_EQ(write(fds[1], c.written.constData(), size_t(c.written.size())),
              ssize_t(c.written.size()));
    close(fds[1]);
    ASSERT_TRUE(spy.wait(kWaitMs));
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(spy.at(0).at(0).toByteArray(), c.read);
}

INSTANTIATE_TEST_SUITE_P(Cases, Reading,
                         testing::Values(ReadCase{"Empty", {}, 16, {}},
                                         ReadCase{"Word", "house", 16, "house"},
                                         ReadCase{"ExactlyTheLimit", "house", 5, "house"},
                                         ReadCase{"CutAtTheLimit", "houses", 5, "house"},
                                         ReadCase{"LongerThanOneChunk", QByteArray(10000, 'a'),
                                                  9000, QByteArray(9000, 'a')}),
                         [](const testing::TestParamInfo<ReadCase>& info) {
                             return info.param.name;
                         });

TEST(OfferReader, WaitsForAWriterThatIsStillWriting)
{
    int fds[2];
    ASSERT_EQ(pipe2(fds, O_CLOEXEC), 0);
    OfferReader reader(fds[0], 64);
    QSignalSpy spy(&reader, &OfferReader::finished);
    ASSERT_EQ(write(fds[1], "hou", 3), 3);
    QCoreApplication::processEvents();
    EXPECT_EQ(spy.size(), 0);
    ASSERT_EQ(write(fds[1], "se", 2), 2);
    close(fds[1]);
    ASSERT_TRUE(spy.wait(kWaitMs));
    EXPECT_EQ(spy.at(0).at(0).toByteArray(), QByteArray("house"));
}

} // namespace
