#pragma once

#include <QLineEdit>

namespace kvel {

// The phrase entry: whatever the user types is kept in lower case, and typing
// stops at 92 characters, while a longer phrase put in by the program (from
// the clipboard, say) stays whole.
class LowerCaseEntry : public QLineEdit
{
    Q_OBJECT
public:
    static constexpr int kMaxTyped = 92;

    explicit LowerCaseEntry(QWidget* parent = nullptr);

    // Sets the text as the program does: lower-cased, never cut.
    void setEntryText(const QString& text);

    // A phrase put in by the program may be longer; it can be edited, not grown.
    qsizetype allowedLength() const { return m_allowedLength; }

private:
    qsizetype m_allowedLength = kMaxTyped;
};

} // namespace kvel
