// Wildcard matching for the wildcard-match service (wcmatch), in the pattern language users
// know. Matching is case-sensitive and works on Unicode characters (a surrogate pair is one):
//
//   #        one decimal digit              @        one letter
//   .        one character that is neither  ?        any one character
//            a letter nor a digit           *        any run of characters, the empty one too
//   [...]    one character of the set;      [~...]   one character not in the set
//            a-z is a range
//   `c       the character c itself (inside a set too); a backquote at the end is itself
//   ,        separates alternatives: the text matches when it matches one of them
//   ~        at the start of an alternative: the alternative matches what the rest does not
//
// A "]" first in a set (right after "[" or "[~") belongs to the set, and so does a "-" that is
// first or last; a range whose ends are reversed holds nothing. A "[" without its "]" stands
// for itself, as does a "~" that does not start an alternative. Every other character matches
// itself. The empty pattern matches only the empty text.
#pragma once

#include <QString>

class CTqWildcardMatcher {
public:
    // True when text matches pattern. Time is bounded by text length × pattern length.
    static bool Matches(const QString& text, const QString& pattern);
};
