// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/GatedConverter.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace kvel::test {

namespace {

// Called as "build -o OUTPUT access:SOURCE".
constexpr char kScript[] = R"(#!/bin/sh
here=$(dirname "$0")
touch "$here/started"
while [ ! -e "$here/go" ]; do sleep 0.02; done
exec cp "$here/result.sqlite" "$3"
)";

} // namespace

GatedConverter::GatedConverter(const QString& folder) : m_folder(folder)
{
    QFile script(QDir(m_folder).filePath(u"gated-kvel-dict"_s));
    script.open(QIODevice::WriteOnly);
    script.write(kScript);
    script.close();
    script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

JetConverter GatedConverter::converter() const
{
    // A conversion held for long by a slow test machine must not be stopped.
    JetConverter::Limits limits;
    limits.time = std::chrono::seconds(20);
    return JetConverter(QDir(m_folder).filePath(u"gated-kvel-dict"_s),
                        QDir(m_folder).filePath(u"cache"_s), limits);
}

void GatedConverter::handOut(const QList<Row>& rows, const QVariant& version)
{
    const QString result = QDir(m_folder).filePath(u"result.sqlite"_s);
    QFile::remove(result);
    writeDictionary(result, rows, version);
}

bool GatedConverter::started() const
{
    return QFile::exists(QDir(m_folder).filePath(u"started"_s));
}

void GatedConverter::open()
{
    QFile(QDir(m_folder).filePath(u"go"_s)).open(QIODevice::WriteOnly);
}

void GatedConverter::close()
{
    QFile::remove(QDir(m_folder).filePath(u"go"_s));
    QFile::remove(QDir(m_folder).filePath(u"started"_s));
}

} // namespace kvel::test
