// The workbench's symbol-table, dictionary and extended-data services over the current
// document's drawing database.
//
// Records come back as users know them from the table functions: without the identity and
// object references (a BLOCK record as its BLOCK entity with -2 naming the first object).
// Records that every drawing needs (layer "0", the CONTINUOUS, BYLAYER and BYBLOCK linetypes,
// the STANDARD style and dimension style, the layouts, the ACAD application) and current ones
// cannot be deleted or renamed; records objects refer to cannot be deleted. Renaming a record
// renames the references to it.
#pragma once

#include "host/CTqDrawingServices.h"
#include "../sdk/db/OdDbSymbolTable.h"

#include <map>
#include <utility>

class CTqWorkbenchLispServices;
class OdDbDatabase;
class OdDbDictionary;

class CTqWorkbenchTableServices final : public CTqTableServices {
public:
    explicit CTqWorkbenchTableServices(CTqWorkbenchLispServices& services) : m_services(services) {}

    short TableNext(const CTqString& table, bool rewind, TqResultBuffer*& data) override;
    short TableSearch(const CTqString& table, const CTqString& name, bool setNext, TqResultBuffer*& data) override;
    short TableObjectName(const CTqString& table, const CTqString& name, TqName& record) override;
    short TableMake(TqResultBuffer*& data) override;
    short TableModify(TqResultBuffer*& data) override;
    short TableDelete(const CTqString& table, const CTqString& name) override;
    short TablePurge(const CTqString& table, short flags) override;
    short TableRename(const CTqString& table, const CTqString& oldName, const CTqString& newName) override;
    short TableSetCurrent(const CTqString& table, const CTqString& name) override;
    short RegisterApplication(const CTqString& name) override;
    short SymbolNameValid(const CTqString& name, int flags) override;

    short NamedObjectDictionary(TqName& dictionary) override;
    short DictionaryAdd(TqName dictionary, const CTqString& key, TqName object, TqName& added) override;
    short DictionaryRemove(TqName dictionary, const CTqString& key, TqName& removed) override;
    short DictionaryRename(TqName dictionary, const CTqString& oldKey, const CTqString& newKey) override;
    short DictionarySearch(TqName dictionary, const CTqString& key, bool setNext, TqResultBuffer*& data) override;
    short DictionaryNext(TqName dictionary, bool rewind, TqResultBuffer*& data) override;

    short LispDataPut(const TqName* object, const CTqString& dictionary, const CTqString& key, const std::string& text,
                      const std::vector<double>& reals) override;
    short LispDataGet(const TqName* object, const CTqString& dictionary, const CTqString& key, std::string& text,
                      std::vector<double>& reals) override;

    // Two bytes of group code per record plus its value: texts their UTF-8 length and a byte,
    // reals 8, points 24, 16-bit integers 2, 32-bit ones 4, handles 8, chunks their length and
    // a byte.
    short ExtendedDataSize(const TqResultBuffer* data, int& size) override;

private:
    OdDbDatabase* database();
    short fail(int errorNumber);
    OdDbSymbolTable* table(const CTqString& name, OdDbSymbolTable::Kind& kind);
    OdDbDictionary* dictionary(TqName name);
    // The dictionary stored LISP data goes to; null (error number set) when there is none and
    // `create` is false or it cannot be made.
    OdDbDictionary* lispDataDictionary(const TqName* object, const CTqString& name, bool create);

    CTqWorkbenchLispServices& m_services;
    // The next record of each table and entry of each dictionary: keyed by database number
    // and table kind or dictionary handle.
    std::map<std::pair<std::uint64_t, int>, std::size_t> m_tableCursors;
    std::map<std::pair<std::uint64_t, std::uint64_t>, std::size_t> m_dictionaryCursors;
};
