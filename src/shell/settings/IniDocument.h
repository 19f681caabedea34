// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace kvel {

// The text of a settings file with private-profile semantics. Everything the
// program does not write (other sections, keys, comments, spacing) stays as it
// was, so a file edited by hand survives a save.
//
// A value is the text after the first "=" up to the end of its line, neither
// trimmed nor unquoted. Section and key names are compared without regard to
// ASCII case; the first section and the first key of a name win.
class IniDocument
{
public:
    IniDocument() = default;
    explicit IniDocument(const QString& text);

    QString toText() const;

    // The stored value, or defaultValue when the section or key is missing.
    QString value(QStringView section, QStringView key, const QString& defaultValue = {}) const;

    // Replaces the value in place; a new key goes after the last key of its
    // section, a new section at the end. Line breaks are dropped from the value,
    // so no text can start a key or section of its own.
    void setValue(QStringView section, QStringView key, const QString& value);

private:
    // Index of the first header of the section, or -1.
    qsizetype findSection(QStringView section) const;
    // One past the last line of the section whose header is at sectionLine.
    qsizetype sectionEnd(qsizetype sectionLine) const;
    // Index of the first line of the key within the section, or -1.
    qsizetype findKey(qsizetype sectionLine, QStringView key) const;

    QStringList m_lines;
    QString m_lineBreak = QStringLiteral("\n");
};

// Settings values are decimal integers in text form: an optional sign and ASCII
// digits only, no blanks, within 32 bits. Anything else is not a number.
std::optional<int> parseDecimal(QStringView text);

} // namespace kvel
