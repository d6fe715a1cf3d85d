// Matching objects against a selection-set filter list, the list users give to pick objects by
// their group codes:
//
//   (code . value)            the object has a tag of that code with an equal value
//   (-4 . "op") (code . v)    a relational test: * = != /= <> < <= > >= & &= ; for a point,
//                             one operator for all coordinates or three, comma-separated (x,y,z)
//   (-4 . "<AND") … "AND>"    every operand holds; likewise <OR (one holds), <XOR (exactly two
//                             operands, one holds), <NOT (exactly one operand, it fails)
//   (-3) (1001 . "app") …     the object has extended data of every application named
//
// Tests at the top level must all hold; an empty list matches everything. A test holds when
// some tag of its code passes it, so that repeated codes such as vertices match on any one. A
// not-equal test ("!=", "/=", "<>" alone) is the negation of the equal test: it holds when no
// tag of the code equals the value, also when the object has no such tag. Text and application
// names are wildcard patterns (CTqWildcardMatcher) compared upper-cased, that is without regard
// to case; "<" and ">" on text compare upper-cased text. Numbers compare by value, integers and
// reals alike; "&" and "&=" take integers only. Object references compare by object id. Objects
// omit default values, so a missing colour (62) counts as 256 (BYLAYER), a missing linetype (6)
// as "BYLAYER" and a missing space (67) as 0 (model space).
#pragma once

#include "../sdk/db/OdDbTag.h"

#include <QString>

#include <memory>

class CTqSelectionFilter {
public:
    // Compiles a filter list, replacing the previous one. False and a message naming the
    // offending tag for a malformed list; the previous filter stays then. A filter never
    // parsed is the empty one.
    bool Parse(const OdDbTagList& filter, QString& message);
    // True when an object's group-code list (as groupCodes gives it with every application's
    // extended data) passes the filter.
    bool Matches(const OdDbTagList& objectTags) const;

private:
    struct Program;
    // Shared and immutable once compiled: copies of a filter cost nothing.
    std::shared_ptr<const Program> m_program;
};
