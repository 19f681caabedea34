// SPDX-License-Identifier: GPL-2.0-or-later
#include "shell/help/MailLink.h"

#include "support/LanguageGuard.h"
#include "support/QtPrinters.h"

#include <QUrlQuery>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using kvel::InterfaceLanguage;
using kvel::MailKind;
using kvel::test::LanguageGuard;

namespace {

const QString Crlf2 = u"\r\n\r\n"_s;

const QString EnglishProject =
    u"This message relates to Project: Kvel dictionary, v1.0, Build 058."_s;
const QString EnglishMessage = u"[ ENTER YOUR MESSAGE TEXT BELOW ]"_s;
const QString EnglishPersonal = u"[ ENTER YOUR PERSONAL DATA BELOW ]"_s;
const QString EnglishPostScript =
    u"P.S. Please do not change the 'Subject' section because it's machine generated."_s;
const QString EnglishForm =
    u"[ ENTER YOUR PERSONAL DATA BELOW ]\r\n\r\n(*) E-mail:\r\n( ) Last and First name:\r\n"
    u"( ) Address:\r\n( ) City/Town and Zip:\r\n( ) State/Country:\r\n( ) Telephones:\r\n"
    u"( ) Other:\r\n\r\nAll the data you supply us will serve exclusively for organized program "
    u"maintenance,\r\nand will not be available to third party persons under any circumstances ."
    u"\r\n\r\n(*) items required to enter"_s;

const QString SerbianProject = u"Poruka se odnosi na Projekat: Kvel rečnik, v1.0, Bild 058."_s;
const QString SerbianMessage = u"[ ISPOD UNESITE TEKST VAŠE PORUKE ]"_s;
const QString SerbianPersonal = u"[ ISPOD UNESITE VAŠE LIČNE PODATKE ]"_s;
const QString SerbianPostScript =
    u"P.S. Molimo ne menjajte 'Subject' sekciju jer je mašinski generisana."_s;
const QString SerbianForm =
    u"[ ISPOD UNESITE VAŠE LIČNE PODATKE ]\r\n\r\n(*) E-mail:\r\n( ) Prezime i ime:\r\n"
    u"( ) Adresa:\r\n( ) Grad i broj:\r\n( ) Država/Zemlja:\r\n( ) Telefoni:\r\n( ) Ostalo:\r\n"
    u"\r\nSvi podaci koje nam pošaljete služiće isključivo radi organizovanog održavanja "
    u"programa,\r\ni ni pod kojim okolnostima neće biti dostupni trećim licima na uvid.\r\n\r\n"
    u"(*) stavke koje je obavezno upisati"_s;

QString messageBody(const QString& project, const QString& message, const QString& personal,
                    const QString& postScript)
{
    return project + Crlf2 + message + Crlf2 + personal + Crlf2 + postScript;
}

struct MailCase
{
    const char* name;
    InterfaceLanguage language;
    MailKind kind;
    QString subject;
    QString body;
};

class MailLinkDecoded : public testing::TestWithParam<MailCase>
{
};

TEST_P(MailLinkDecoded, CarriesExactlyTheSubjectAndBody)
{
    const MailCase& c = GetParam();
    LanguageGuard language(c.language);
    const QUrl link = kvel::mailLink(c.kind);
    ASSERT_TRUE(link.isValid()) << link.errorString().toStdString();
    EXPECT_EQ(link.scheme(), u"mailto"_s);
    EXPECT_EQ(link.path(), QString()); // the user picks the recipient
    const QUrlQuery query(link);
    EXPECT_EQ(query.queryItems(QUrl::FullyDecoded).size(), 2);
    EXPECT_EQ(query.queryItemValue(u"subject"_s, QUrl::FullyDecoded), c.subject);
    EXPECT_EQ(query.queryItemValue(u"Body"_s, QUrl::FullyDecoded), c.body);
}

TEST_P(MailLinkDecoded, EncodedFormIsPlainAsciiWithoutBlanks)
{
    const MailCase& c = GetParam();
    LanguageGuard language(c.language);
    const QByteArray encoded = kvel::mailLink(c.kind).toEncoded();
    EXPECT_TRUE(encoded.startsWith("mailto:?subject="));
    for (char ch : encoded)
        EXPECT_TRUE(ch > ' ' && ch < 127) << "byte " << int(uchar(ch));
}

INSTANTIATE_TEST_SUITE_P(
    Mails, MailLinkDecoded,
    testing::Values(
        MailCase{"EnglishMiscellaneous", InterfaceLanguage::English, MailKind::Miscellaneous,
                 u"[MISCELLANEOUS]"_s,
                 EnglishMessage + Crlf2 + EnglishPersonal + Crlf2 + EnglishPostScript},
        MailCase{"EnglishBug", InterfaceLanguage::English, MailKind::Bug, u"[BUG REPORT]"_s,
                 messageBody(EnglishProject, EnglishMessage, EnglishPersonal, EnglishPostScript)},
        MailCase{"EnglishImprovement", InterfaceLanguage::English, MailKind::Improvement,
                 u"[SOFTWARE IMPROVEMENT SUGGESTION]"_s,
                 messageBody(EnglishProject, EnglishMessage, EnglishPersonal, EnglishPostScript)},
        MailCase{"EnglishAsk", InterfaceLanguage::English, MailKind::Ask,
                 u"[ASK TECHNICAL SUPPORT]"_s,
                 messageBody(EnglishProject, EnglishMessage, EnglishPersonal, EnglishPostScript)},
        MailCase{"EnglishRegister", InterfaceLanguage::English, MailKind::Register, u"[REGISTER]"_s,
                 EnglishProject + Crlf2 + EnglishForm + Crlf2 + EnglishPostScript},
        MailCase{"SerbianMiscellaneous", InterfaceLanguage::Serbian, MailKind::Miscellaneous,
                 u"[MISCELLANEOUS]"_s,
                 SerbianMessage + Crlf2 + SerbianPersonal + Crlf2 + SerbianPostScript},
        MailCase{"SerbianBug", InterfaceLanguage::Serbian, MailKind::Bug, u"[BUG REPORT]"_s,
                 messageBody(SerbianProject, SerbianMessage, SerbianPersonal, SerbianPostScript)},
        MailCase{"SerbianAsk", InterfaceLanguage::Serbian, MailKind::Ask,
                 u"[ASK TECHNICAL SUPPORT]"_s,
                 messageBody(SerbianProject, SerbianMessage, SerbianPersonal, SerbianPostScript)},
        MailCase{"SerbianRegister", InterfaceLanguage::Serbian, MailKind::Register, u"[REGISTER]"_s,
                 SerbianProject + Crlf2 + SerbianForm + Crlf2 + SerbianPostScript}),
    [](const testing::TestParamInfo<MailCase>& info) { return info.param.name; });

struct EncodeCase
{
    QString text;
    QByteArray keep;
    QByteArray encoded;
};

class MailPieceEncoding : public testing::TestWithParam<EncodeCase>
{
};

TEST_P(MailPieceEncoding, KeepsEscapesAndEncodesTheRest)
{
    const EncodeCase& c = GetParam();
    EXPECT_EQ(kvel::encodeMailPiece(c.text, c.keep), c.encoded);
}

INSTANTIATE_TEST_SUITE_P(
    Pieces, MailPieceEncoding,
    testing::Values(
        EncodeCase{QString(), {}, {}}, EncodeCase{u"plain-text_1.0~"_s, {}, "plain-text_1.0~"},
        EncodeCase{u"a b"_s, {}, "a%20b"}, EncodeCase{u"line%0D%0Anext"_s, {}, "line%0D%0Anext"},
        EncodeCase{u"lower %0d%0a kept"_s, {}, "lower%20%0d%0a%20kept"},
        EncodeCase{u"100%"_s, {}, "100%25"}, EncodeCase{u"%zz%4"_s, {}, "%25zz%254"},
        EncodeCase{u"čĐ"_s, {}, "%C4%8D%C4%90"},
        EncodeCase{u"a&b=c?d#e+f"_s, {}, "a%26b%3Dc%3Fd%23e%2Bf"},
        EncodeCase{u"?subject=[A%20B]&Body="_s, "?=&", "?subject=%5BA%20B%5D&Body="},
        EncodeCase{u"mailto:"_s, ":", "mailto:"},
        EncodeCase{u"tab\there\r\n"_s, {}, "tab%09here%0D%0A"},
        EncodeCase{u"(*) a, b: c's!"_s, {}, "(*)%20a,%20b:%20c's!"},
        EncodeCase{u"x/y@z"_s, {}, "x%2Fy@z"}, EncodeCase{u"a@b.org"_s, "@", "a@b.org"}));

} // namespace
