// SPDX-License-Identifier: GPL-2.0-or-later
#include "kvel-dict/DictCommand.h"

#include "DictTestFiles.h"
#include "kvel-dict/InputFile.h"
#include "lookup/index/file/ContentDigest.h"
#include "lookup/index/file/MappedIndexFile.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kvel::dictbuild;
using namespace kvel::test;
using namespace Qt::StringLiterals;

// AddressSanitizer maps terabytes of shadow memory: it cannot start under a
// limit on the address space.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KVEL_UNDER_ADDRESS_SANITIZER
#endif
#endif

namespace {

// Every row of a query as "a | b | c", read with plain SQLite.
QStringList queryRows(const QString& path, const char* sql)
{
    sqlite3* db = nullptr;
    QStringList rows;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
        while (statement && sqlite3_step(statement) == SQLITE_ROW) {
            QStringList columns;
            for (int i = 0; i < sqlite3_column_count(statement); ++i) {
                columns.append(QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(statement, i))));
            }
            rows.append(columns.join(u" | "_s));
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return rows;
}

class DictCommandTest : public testing::Test
{
protected:
    void SetUp() override
    {
        writeDictd(path(u"eng-srp"_s),
                   {
                       {u"00databaseshort"_s, u"Test English-Serbian\n"_s},
                       {u"house"_s, u"house /haus/\nкућа\n"_s},
                       {u"april"_s, u"April /eiprəl/\nаприл, травањ\n"_s},
                       {u"a"_s, u"a /ə/\n1. у\n2. когод, неко\n"_s},
                       {u"house"_s, u"house /hausɔfwəːʃip/\nцрква\n"_s},
                   },
                   true);
        writeDictd(path(u"srp-eng"_s), {
                                           {u"књига"_s, u"књига /knjiga/\nbook\n"_s},
                                           {u"џеп"_s, u"џеп /dʒep/\npocket\n"_s},
                                       });
        writeFile(path(u"extra.tsv"_s), "Кућа\thouse, home\nhouse\tдом\n");
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    DictCommandResult build(QStringList sources, const QStringList& options = {}) const
    {
        return runDictCommand(QStringList{u"build"_s, u"-o"_s, path(u"kvel.mdb"_s)} + options +
                              sources);
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(DictCommandTest, BuildsTheTablesInStoredOrder)
{
    const DictCommandResult result =
        build({u"english:"_s + path(u"eng-srp.index"_s), u"serbian:"_s + path(u"srp-eng"_s),
               u"serbian:"_s + path(u"extra.tsv"_s), u"english:"_s + path(u"extra.tsv"_s)});
    EXPECT_EQ(result.err, QString());
    EXPECT_EQ(result.exitCode, DictExitCode::Success);

    const QString mdb = path(u"kvel.mdb"_s);
    EXPECT_EQ(queryRows(mdb, "SELECT Word, Meaning, Selected FROM TblKvel ORDER BY rowid"),
              (QStringList{
                  u"a | u; kogod; neko | -1"_s,
                  u"April | april; travanj | -1"_s,
                  u"house | kuća; crkva; dom | -1"_s,
                  u"Kuća | house; home | -1"_s,
                  u"džep | pocket | 0"_s,
                  u"house | dom | 0"_s,
                  u"knjiga | book | 0"_s,
                  u"Kuća | house; home | 0"_s,
              }));
    EXPECT_EQ(queryRows(mdb, "SELECT Ver FROM TblVer"), QStringList{u"2.5"_s});
    EXPECT_EQ(queryRows(mdb, "SELECT typeof(Selected) FROM TblKvel GROUP BY 1"),
              QStringList{u"integer"_s});
    EXPECT_EQ(queryRows(mdb, "SELECT sql FROM sqlite_schema ORDER BY name"),
              (QStringList{u"CREATE TABLE TblKvel(Word TEXT, Meaning TEXT, Selected INTEGER)"_s,
                           u"CREATE TABLE TblVer(Ver TEXT)"_s}));
    EXPECT_EQ(queryRows(mdb, "PRAGMA journal_mode"), QStringList{u"delete"_s});
    // One self-contained file and its index: no journal, WAL or temporary file left beside them.
    EXPECT_EQ(QDir(dir.path()).entryList({u"kvel*"_s}),
              (QStringList{u"kvel.mdb"_s, u"kvel.mdb.kvx"_s}));
}

TEST_F(DictCommandTest, FailedBuildLeavesTheOldDictionaryUntouched)
{
    writeFile(path(u"kvel.mdb"_s), "the old dictionary");
    writeFile(path(u"bad.tsv"_s), "water\tvoda\n\nno tab\n");
    const DictCommandResult result =
        build({u"english:"_s + path(u"eng-srp"_s), u"english:"_s + path(u"bad.tsv"_s)});
    EXPECT_EQ(result.exitCode, DictExitCode::BuildFailed);
    EXPECT_EQ(result.err,
              u"kvel-dict: %1:3: expected word<TAB>meaning\n"_s.arg(path(u"bad.tsv"_s)));
    EXPECT_EQ(readFile(path(u"kvel.mdb"_s)), "the old dictionary");
    EXPECT_EQ(QDir(dir.path()).entryList({u"kvel*"_s}), QStringList{u"kvel.mdb"_s});
}

TEST_F(DictCommandTest, SuccessfulBuildReplacesTheOldDictionaryAndItsIndex)
{
    writeFile(path(u"kvel.mdb"_s), "the old dictionary");
    writeFile(path(u"kvel.mdb.kvx"_s), "the old index");
    ASSERT_EQ(build({u"serbian:"_s + path(u"srp-eng"_s)}).exitCode, DictExitCode::Success);
    EXPECT_EQ(queryRows(path(u"kvel.mdb"_s), "SELECT count(*) FROM TblKvel"), QStringList{u"2"_s});
    const std::unique_ptr<kvel::MappedIndexFile> index =
        kvel::MappedIndexFile::open(path(u"kvel.mdb.kvx"_s));
    ASSERT_TRUE(index);
    EXPECT_TRUE(index->verify());
    EXPECT_EQ(index->contentDigest(), kvel::digestOfFile(path(u"kvel.mdb"_s)));
}

TEST_F(DictCommandTest, UnwritableFolderIsReported)
{
    const QString target = path(u"no-such-folder/kvel.mdb"_s);
    const DictCommandResult result =
        runDictCommand({u"build"_s, u"-o"_s, target, u"english:"_s + path(u"extra.tsv"_s)});
    EXPECT_EQ(result.exitCode, DictExitCode::BuildFailed);
    EXPECT_TRUE(result.err.startsWith(u"kvel-dict: "_s + target + u": cannot create"_s))
        << result.err.toStdString();
}

TEST_F(DictCommandTest, UsageErrorsShowTheUsage)
{
    const DictCommandResult result = runDictCommand({u"build"_s, u"english:x"_s});
    EXPECT_EQ(result.exitCode, DictExitCode::Usage);
    EXPECT_TRUE(result.err.startsWith(u"kvel-dict: missing -o FILE\nusage: kvel-dict build"_s))
        << result.err.toStdString();
    EXPECT_EQ(result.out, QString());

    const DictCommandResult help = runDictCommand({u"--help"_s});
    EXPECT_EQ(help.exitCode, DictExitCode::Success);
    EXPECT_TRUE(help.out.startsWith(u"usage: kvel-dict build -o FILE [--version 2.5] SOURCE..."_s));
}

TEST_F(DictCommandTest, TheProgramReportsOnStderrWithItsExitCode)
{
    struct Case
    {
        QStringList arguments;
        int exitCode;
        QString stderrStart;
    };
    const Case cases[] = {
        {{u"build"_s, u"-o"_s, path(u"p.mdb"_s), u"english:"_s + path(u"eng-srp"_s)}, 0, u""_s},
        {{u"build"_s, u"-o"_s, path(u"p.mdb"_s), u"german:"_s + path(u"eng-srp"_s)},
         2,
         u"kvel-dict: unknown SOURCE"_s},
        {{u"build"_s, u"english:"_s + path(u"eng-srp"_s)}, 2, u"kvel-dict: missing -o FILE"_s},
        {{u"build"_s, u"-o"_s, path(u"p.mdb"_s), u"english:"_s + path(u"none.tsv"_s)},
         1,
         u"kvel-dict: "_s + path(u"none.tsv"_s) + u": cannot read"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        QProcess process;
        process.start(QStringLiteral(KVEL_DICT_PROGRAM), c.arguments);
        ASSERT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), c.exitCode);
        const QString err = QString::fromUtf8(process.readAllStandardError());
        EXPECT_EQ(err.left(c.stderrStart.size()), c.stderrStart);
        EXPECT_EQ(err.isEmpty(), c.stderrStart.isEmpty()) << err.toStdString();
    }
}

namespace {

// Every file of a folder with its bytes, to show that nothing was written.
QMap<QString, QByteArray> folderContents(const QString& folder)
{
    QMap<QString, QByteArray> contents;
    for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files | QDir::System))
        contents.insert(file.fileName(), file.isSymLink() ? file.symLinkTarget().toUtf8()
                                                          : readFile(file.filePath()));
    return contents;
}

} // namespace

TEST_F(DictCommandTest, RefusesAnOutputThatIsOneOfTheSources)
{
    writeFile(path(u"same.tsv"_s), "house\tkuća\n");
    ASSERT_TRUE(QFile::link(path(u"same.tsv"_s), path(u"symlink.tsv"_s)));
    ASSERT_EQ(::link(QFile::encodeName(path(u"same.tsv"_s)).constData(),
                     QFile::encodeName(path(u"hardlink.tsv"_s)).constData()),
              0);
    ASSERT_TRUE(QFile::link(path(u"same.tsv"_s), path(u"other.kvx"_s)));
    ASSERT_TRUE(QFile::copy(QStringLiteral(KVEL_JET_DATA "/jet-kvel.mdb"), path(u"jet.mdb"_s)));
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"sub"_s));
    struct Case
    {
        QString output;
        QString source;
        QString sourceFile;   // the file the message names
        QString written = {}; // the output named, when not the dictionary
    };
    const Case cases[] = {
        {u"same.tsv"_s, u"english:same.tsv"_s, u"same.tsv"_s},
        {u"sub/../same.tsv"_s, u"serbian:same.tsv"_s, u"same.tsv"_s},
        {u"symlink.tsv"_s, u"english:same.tsv"_s, u"same.tsv"_s},
        {u"hardlink.tsv"_s, u"english:same.tsv"_s, u"same.tsv"_s},
        {u"eng-srp.index"_s, u"english:eng-srp"_s, u"eng-srp.index"_s},
        {u"eng-srp.index"_s, u"english:eng-srp.index"_s, u"eng-srp.index"_s},
        {u"eng-srp.dict.dz"_s, u"english:eng-srp.index"_s, u"eng-srp.dict.dz"_s},
        // Not there yet, but it would be read instead of the .dict.dz next time.
        {u"eng-srp.dict"_s, u"english:eng-srp.dict.dz"_s, u"eng-srp.dict"_s},
        {u"srp-eng.dict"_s, u"serbian:srp-eng"_s, u"srp-eng.dict"_s},
        {u"jet.mdb"_s, u"access:jet.mdb"_s, u"jet.mdb"_s},
        // The index file beside the output would replace it.
        {u"other"_s, u"english:same.tsv"_s, u"same.tsv"_s, u"other.kvx"_s},
    };
    const QMap<QString, QByteArray> before = folderContents(dir.path());
    for (const Case& c : cases) {
        SCOPED_TRACE((c.output + u" from "_s + c.source).toStdString());
        const qsizetype colon = c.source.indexOf(u':') + 1;
        const QString source = c.source.left(colon) + path(c.source.mid(colon));
        // The other source comes first: every source is checked before any is read.
        const DictCommandResult result = runDictCommand(
            {u"build"_s, u"-o"_s, path(c.output), u"serbian:"_s + path(u"extra.tsv"_s), source});
        EXPECT_EQ(result.exitCode, DictExitCode::BuildFailed);
        EXPECT_EQ(result.err,
                  u"kvel-dict: %1: is also the source file %2; write the dictionary "
                  u"to another file\n"_s.arg(path(c.written.isEmpty() ? c.output : c.written),
                                             path(c.sourceFile)));
        EXPECT_EQ(folderContents(dir.path()), before);
    }
}

TEST_F(DictCommandTest, RefusesSourcesThatAreNoRegularFilesOrTooLarge)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(path(u"fifo.tsv"_s)).constData(), 0600), 0);
    ASSERT_EQ(::mkfifo(QFile::encodeName(path(u"fifo.mdb"_s)).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(u"/dev/zero"_s, path(u"zero.tsv"_s)));
    writeFile(path(u"zeros.index"_s), "word\tA\tK\n");
    ASSERT_TRUE(QFile::link(u"/dev/zero"_s, path(u"zeros.dict"_s)));
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"folder.tsv"_s));
    QFile huge(path(u"huge.tsv"_s)); // sparse: takes no room on the disk
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(kMaxSourceBytes + 1));
    huge.close();
    writeFile(path(u"bomb.index"_s), "word\tA\tK\n");
    writeFile(path(u"bomb.dict.dz"_s), gzipZeros(kMaxSourceBytes + 1));
    const QString limit =
        u"%1 MiB, far more than a dictionary holds\n"_s.arg(kMaxSourceBytes >> 20);
    const QString notRegular = u": is not a regular file (a device, FIFO or socket), so it cannot "
                               u"be a dictionary\n"_s;
    struct Case
    {
        QString source;
        QString error;
    };
    const Case cases[] = {
        {u"english:"_s + path(u"fifo.tsv"_s), path(u"fifo.tsv"_s) + notRegular},
        {u"access:"_s + path(u"fifo.mdb"_s), path(u"fifo.mdb"_s) + notRegular},
        {u"english:"_s + path(u"zero.tsv"_s), path(u"zero.tsv"_s) + notRegular},
        {u"access:/dev/zero"_s, u"/dev/zero"_s + notRegular},
        {u"serbian:"_s + path(u"zeros"_s), path(u"zeros.dict"_s) + notRegular},
        {u"english:"_s + path(u"folder.tsv"_s), path(u"folder.tsv: is a folder, not a file\n"_s)},
        {u"english:"_s + path(u"huge.tsv"_s), path(u"huge.tsv: holds more than "_s) + limit},
        {u"english:"_s + path(u"bomb"_s), path(u"bomb.dict.dz: inflates to more than "_s) + limit},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source.toStdString());
        QProcess process;
        process.start(QStringLiteral(KVEL_DICT_PROGRAM),
                      {u"build"_s, u"-o"_s, path(u"out.mdb"_s), c.source});
        ASSERT_TRUE(process.waitForFinished(60000)) << "kvel-dict still runs";
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), DictExitCode::BuildFailed);
        EXPECT_EQ(QString::fromUtf8(process.readAllStandardError()), u"kvel-dict: "_s + c.error);
        EXPECT_FALSE(QFileInfo::exists(path(u"out.mdb"_s)));
    }
}

TEST_F(DictCommandTest, RunningOutOfMemoryEndsWithAMessage)
{
#ifdef KVEL_UNDER_ADDRESS_SANITIZER
    GTEST_SKIP() << "no address-space limit under AddressSanitizer";
#endif
    // 40 MB of text is a source of an allowed size, but building from it takes
    // far more than 256 MiB.
    QByteArray text;
    for (int i = 0; text.size() < 40'000'000; ++i)
        text += "word" + QByteArray::number(i) + "\tmeaning " + QByteArray::number(i) +
                ", another meaning\n";
    writeFile(path(u"large.tsv"_s), text);
    QProcess process;
    process.setChildProcessModifier([] {
        const rlimit limit{rlim_t(256) << 20, rlim_t(256) << 20};
        setrlimit(RLIMIT_AS, &limit);
    });
    process.start(QStringLiteral(KVEL_DICT_PROGRAM),
                  {u"build"_s, u"-o"_s, path(u"out.mdb"_s), u"english:"_s + path(u"large.tsv"_s)});
    ASSERT_TRUE(process.waitForFinished(120000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), DictExitCode::BuildFailed);
    EXPECT_EQ(QString::fromUtf8(process.readAllStandardError()),
              u"kvel-dict: out of memory: the sources are too large\n"_s);
    EXPECT_FALSE(QFileInfo::exists(path(u"out.mdb"_s)));
}

TEST_F(DictCommandTest, WritesOnlyVersionsKvelReads)
{
    struct Case
    {
        QString version;
        bool written;
    };
    const Case cases[] = {
        {u"2.0"_s, true},    {u"2"_s, true},
        {u"2.05"_s, true},   {u"2.5"_s, true},
        {u"2.50"_s, true},   {u"1.9"_s, false},
        {u"1.99"_s, false},  {u"2.51"_s, false},
        {u"2.7"_s, false},   {u"3.10"_s, false},
        {u"0"_s, false},     {u"25"_s, false},
        {u"0002.5"_s, true}, {u"99999999999999999999"_s, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version.toStdString());
        QFile::remove(path(u"kvel.mdb"_s));
        const DictCommandResult result =
            build({u"english:"_s + path(u"eng-srp"_s)}, {u"--version"_s, c.version});
        EXPECT_EQ(result.exitCode, c.written ? DictExitCode::Success : DictExitCode::Usage);
        EXPECT_EQ(QFile::exists(path(u"kvel.mdb"_s)), c.written);
        if (c.written) {
            EXPECT_EQ(queryRows(path(u"kvel.mdb"_s), "select Ver from TblVer"),
                      QStringList{c.version});
        } else {
            EXPECT_EQ(
                result.err.section(u'\n', 0, 0),
                u"kvel-dict: --version \"%1\" is not one Kvel reads (2.0 to 2.5)"_s.arg(c.version));
        }
    }
}
