// The host's services over the current drawing: single objects through entity names and data
// lists, the symbol tables and dictionaries, and selection sets. An engine reaches them through
// CTqLispServices (Entities, Tables, Selections); everything travels as result-buffer chains and
// two-word names, so no engine ever sees a database object.
//
// Every operation returns a host status (TqStatus.h). Chains handed in stay the caller's; chains
// handed out become the caller's, who frees them with CTqLispServices::ReleaseChain.
#pragma once

#include "host/CTqString.h"
#include "host/TqResultBuffer.h"

#include <cstdint>
#include <string>
#include <vector>

// Two words naming a drawing object (database number, handle) or a selection set (database
// number, set number). Both zero: no name.
struct TqName {
    std::uint64_t word1 = 0;
    std::uint64_t word2 = 0;
    bool isNull() const { return word1 == 0 && word2 == 0; }
    friend bool operator==(const TqName&, const TqName&) = default;
};

class CTqEntityServices {
public:
    virtual ~CTqEntityServices() = default;

    // The object's data list; `applications` (string records, may be null) names the
    // applications whose extended data is included (wildcards allowed). tq::kNone and no chain
    // for an erased or unknown object.
    virtual short EntityGet(TqName entity, const TqResultBuffer* applications, TqResultBuffer*& data) = 0;
    // Changes the object the list's -1 record names. On tq::kError the error number tells why
    // (33: an application of the extended data is not registered).
    virtual short EntityModify(const TqResultBuffer* data) = 0;
    // Adds an object made from the list (its 0 record gives the type) to the current space.
    virtual short EntityMake(const TqResultBuffer* data, TqName& made) = 0;
    // Erases the object, or brings an erased one back.
    virtual short EntityDelete(TqName entity) = 0;
    // The object after `current` in drawing order, sub-entities included (null: the first one).
    // tq::kNone at the end.
    virtual short EntityNext(const TqName* current, TqName& next) = 0;
    virtual short EntityLast(TqName& last) = 0;
    virtual short EntityUpdate(TqName entity) = 0;
    // 0 the first object, 1 the last one, 2 the last one picked, 3 the last one made, 4 the last
    // one modified.
    virtual short EntityAtPosition(int position, TqName& entity) = 0;
    // tq::kNormal for the name of an object of the current drawing that is not erased.
    virtual short EntityCheck(TqName entity) = 0;
    virtual short EntityFromHandle(const CTqString& handle, TqName& entity) = 0;
    // Asks the user to pick an object (prompt null: the host's own prompt).
    virtual short EntitySelect(const CTqString* prompt, TqName& entity, double point[3]) = 0;
    // The same for objects inside blocks; pickPoint non-null picks there without asking. For an
    // object inside a block reference, `matrix` maps block coordinates to the drawing and
    // `containers` lists the references from the innermost out; else containers stays null.
    virtual short NestedEntitySelect(const CTqString* prompt, const double* pickPoint, TqName& entity, double point[3],
                                     double matrix[4][4], TqResultBuffer*& containers) = 0;
};

class CTqTableServices {
public:
    virtual ~CTqTableServices() = default;

    // --- symbol tables (LAYER, LTYPE, STYLE, VIEW, UCS, VPORT, DIMSTYLE, APPID, BLOCK) ----------
    // The record after the table's cursor (rewind: the first one), as a data list without
    // identity records; tq::kNone at the end.
    virtual short TableNext(const CTqString& table, bool rewind, TqResultBuffer*& data) = 0;
    // The record by name; setNext makes it the cursor of TableNext.
    virtual short TableSearch(const CTqString& table, const CTqString& name, bool setNext, TqResultBuffer*& data) = 0;
    virtual short TableObjectName(const CTqString& table, const CTqString& name, TqName& record) = 0;
    // A new record from a data list whose 0 record names the table; the stored list comes back.
    virtual short TableMake(TqResultBuffer*& data) = 0;
    // Changes the record the list's 0 and 2 records name; the stored list comes back.
    virtual short TableModify(TqResultBuffer*& data) = 0;
    virtual short TableDelete(const CTqString& table, const CTqString& name) = 0;
    // Erases every record of the table that nothing refers to; flags is kept for hosts that
    // purge selectively.
    virtual short TablePurge(const CTqString& table, short flags) = 0;
    virtual short TableRename(const CTqString& table, const CTqString& oldName, const CTqString& newName) = 0;
    // Makes the record current (layer, text style, linetype, dimension style, UCS).
    virtual short TableSetCurrent(const CTqString& table, const CTqString& name) = 0;
    virtual short RegisterApplication(const CTqString& name) = 0;
    // tq::kNormal when the name is a valid symbol-table name; flags bit 0 allows "|".
    virtual short SymbolNameValid(const CTqString& name, int flags) = 0;

    // --- dictionaries ---------------------------------------------------------------------------
    virtual short NamedObjectDictionary(TqName& dictionary) = 0;
    virtual short DictionaryAdd(TqName dictionary, const CTqString& key, TqName object, TqName& added) = 0;
    virtual short DictionaryRemove(TqName dictionary, const CTqString& key, TqName& removed) = 0;
    virtual short DictionaryRename(TqName dictionary, const CTqString& oldKey, const CTqString& newKey) = 0;
    virtual short DictionarySearch(TqName dictionary, const CTqString& key, bool setNext, TqResultBuffer*& data) = 0;
    virtual short DictionaryNext(TqName dictionary, bool rewind, TqResultBuffer*& data) = 0;

    // --- stored LISP data ------------------------------------------------------------------------
    // A LISP value written as text (UTF-8, each real a placeholder) with its reals, kept under a
    // key: in the extension dictionary of `object` when it is given, else in the dictionary
    // `dictionary` of the named object dictionary (made when missing). tq::kError with error
    // number 2 for a dictionary name the block-name rule refuses or an object that is gone.
    virtual short LispDataPut(const TqName* object, const CTqString& dictionary, const CTqString& key,
                              const std::string& text, const std::vector<double>& reals) = 0;
    // tq::kNone when the dictionary, the key or stored LISP data under it is missing.
    virtual short LispDataGet(const TqName* object, const CTqString& dictionary, const CTqString& key,
                              std::string& text, std::vector<double>& reals) = 0;

    // --- extended data --------------------------------------------------------------------------
    // The size in bytes the extended data of the chain (1001 records and their values) takes.
    virtual short ExtendedDataSize(const TqResultBuffer* data, int& size) = 0;
};

class CTqSelectionServices {
public:
    virtual ~CTqSelectionServices() = default;

    // A new set. mode null: the user selects; else the mode string ("X" all, "L" last, "P"
    // previous, "I" pick-first, "W"/"C" window/crossing, "WP"/"CP" polygons, "F" fence, with or
    // without a leading "_"). points: one point record, or a chain of them for the polygon
    // modes; second: the window's other corner. filter: a filter list, or null.
    virtual short SelectionSetGet(const CTqString* mode, const TqResultBuffer* points, const double* second,
                                  const TqResultBuffer* filter, TqName& set) = 0;
    // Adds the object (a null name adds nothing) to the set, or to a new one when set is null.
    virtual short SelectionSetAdd(TqName entity, const TqName* set, TqName& result) = 0;
    virtual short SelectionSetDeleteMember(TqName entity, TqName set) = 0;
    virtual short SelectionSetLength(TqName set, std::int32_t& length) = 0;
    // tq::kNone for an index outside the set.
    virtual short SelectionSetName(TqName set, std::int64_t index, TqName& entity) = 0;
    // For each member (index -1: every member) a list (method entity-name details...).
    virtual short SelectionSetNameDetails(TqName set, int index, TqResultBuffer*& details) = 0;
    // tq::kNormal when the object is a member, tq::kNone when not.
    virtual short SelectionSetMember(TqName entity, TqName set) = 0;
    virtual short SelectionSetDatabase(TqName set, std::int32_t& number) = 0;
    // The pick-first (implied) selection; null clears it.
    virtual short SetPickFirst(const TqName* set) = 0;
    // Each chain is one selection-set record, or null when that selection is empty.
    virtual short GetPickFirst(TqResultBuffer*& grips, TqResultBuffer*& picked) = 0;
    virtual short SetPreselection(const TqName* set) = 0;
    // Takes the set's objects out of the current selection.
    virtual short RemoveFromSelection(TqName set) = 0;
    virtual short RemoveAllFromSelection() = 0;
    // Takes erased objects out of every set.
    virtual short RemoveDeleted() = 0;
    // The document's current selection: everything of the current space, or nothing.
    virtual short SelectAll() = 0;
    virtual short DeselectAll() = 0;
};
