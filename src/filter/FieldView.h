#pragma once

#include "filter/MessageFields.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vantor::filter {

// The fields of one message as the rules of one evaluation read them: each field as it is, and lowered
// (A to Z only) on first use and then kept for the remaining rules.
class FieldView
{
public:
    explicit FieldView(const MessageFields& fields)
        : m_fields(fields)
    {}

    const MessageFields& fields() const { return m_fields; }
    std::string_view field(FieldKind kind) const { return m_fields.field(kind); }
    std::string_view lowered(FieldKind kind) const;

private:
    const MessageFields& m_fields;
    mutable std::array<std::optional<std::string>, 4> m_lowered;
};

} // namespace vantor::filter
