#include "LowerCaseEntry.h"

#include <QValidator>

namespace kvel {

namespace {

class LowerCaseValidator : public QValidator
{
public:
    LowerCaseValidator(LowerCaseEntry* entry) : QValidator(entry), m_entry(entry) {}

    State validate(QString& input, int&) const override
    {
        if (input.size() > m_entry->allowedLength())
            return Invalid;
        input = input.toLower();
        return Acceptable;
    }

private:
    LowerCaseEntry* m_entry;
};

} // namespace

LowerCaseEntry::LowerCaseEntry(QWidget* parent) : QLineEdit(parent)
{
    setValidator(new LowerCaseValidator(this));
}

void LowerCaseEntry::setEntryText(const QString& text)
{
    m_allowedLength = std::max<qsizetype>(kMaxTyped, text.size());
    setText(text.toLower());
}

} // namespace kvel
