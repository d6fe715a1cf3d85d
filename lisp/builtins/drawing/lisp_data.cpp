// LISP values stored in drawing dictionaries: vlax-ldata-put writes a value as text with its
// reals kept apart (each one a "(&VLO-R . n)" placeholder), vlax-ldata-get reads it back. Reals
// come back with six decimals. A string is stored quoted, with backslashes and double quotes
// escaped, so that it reads back as the same string.
#include "lisp/builtins/drawing/drawing_support.h"

#include <QString>

#include <charconv>
#include <string>
#include <vector>

namespace {

class ValueWriter {
public:
    std::u16string text;
    std::vector<double> reals;

    LispStatus Element(const LispNode* value)
    {
        switch (value->type) {
        case NodeType::List:
        case NodeType::DottedList:
            if (IsNil(value)) {
                text += u" nil";
                return LispStatus::Ok;
            }
            return List(value);
        case NodeType::Integer:
            text += u' ';
            Append(std::to_string(value->payload.integer));
            return LispStatus::Ok;
        case NodeType::Real:
            Real(value->payload.real);
            return LispStatus::Ok;
        case NodeType::ShortString:
        case NodeType::String:
            Quoted(StringText(value));
            return LispStatus::Ok;
        case NodeType::SymbolRef:
            text += u' ';
            text += SymbolName(ReferencedSymbol(value));
            return LispStatus::Ok;
        case NodeType::Nil:
            text += u" nil";
            return LispStatus::Ok;
        case NodeType::Constant:
            text += IsT(value) ? u" T" : u" nil";
            return LispStatus::Ok;
        default:
            return LispStatus::InvalidParameter;
        }
    }

    LispStatus List(const LispNode* list)
    {
        text += u'(';
        for (const LispNode* element = list->first; element; element = element->next) {
            if (list->type == NodeType::DottedList && !element->next && element != list->first)
                text += u" . ";
            LISP_TRY(Element(element));
        }
        text += u')';
        return LispStatus::Ok;
    }

    void Real(double value)
    {
        Append("(&VLO-R . " + std::to_string(reals.size()) + ")");
        reals.push_back(value);
    }

    void Quoted(std::u16string_view string)
    {
        text += u'"';
        for (char16_t unit : string) {
            if (unit == u'"' || unit == u'\\')
                text += u'\\';
            text += unit;
        }
        text += u'"';
    }

private:
    void Append(const std::string& ascii) { text.append(ascii.begin(), ascii.end()); }
};

// The dictionary argument: an entity name (its extension dictionary) or a dictionary name.
struct Place {
    TqName object;
    bool byObject = false;
    CTqString dictionary;
};

Place PlaceOf(const LispNode* node)
{
    Place place;
    if (node->type == NodeType::EntityName) {
        place.object = NameOf(node);
        place.byObject = true;
    } else {
        place.dictionary = CTqString(StringText(node));
    }
    return place;
}

}  // namespace

LispStatus f_vlax_ldata_put(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const LispNode* key = args->next;
    const LispNode* value = key->next;
    ValueWriter writer;
    switch (value->type) {
    case NodeType::List:
    case NodeType::DottedList:
        if (IsNil(value))
            return LispStatus::InvalidParameter;
        LISP_TRY(writer.List(value));
        break;
    case NodeType::Integer:
        writer.text = QString::number(value->payload.integer).toStdU16String();
        break;
    case NodeType::Real:
        writer.Real(value->payload.real);
        break;
    case NodeType::ShortString:
    case NodeType::String:
        writer.Quoted(StringText(value));
        break;
    default:
        return LispStatus::InvalidParameter;
    }
    CTqTableServices* tables = nullptr;
    LISP_TRY(DrawingServices(engine, tables));
    const Place place = PlaceOf(args);
    const std::string text = QString::fromStdU16String(writer.text).toStdString();
    const short status = tables->LispDataPut(place.byObject ? &place.object : nullptr, place.dictionary, CTqString(StringText(key)), text, writer.reals);
    if (status != tq::kNormal)
        return engine.Services()->ErrorNumber() == 2 ? LispStatus::InvalidParameter : HostFailure(engine, status, out);
    return engine.CopyNode(value, out);
}

LispStatus f_vlax_ldata_get(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const LispNode* key = args->next;
    const LispNode* fallback = key->next;
    CTqTableServices* tables = nullptr;
    LISP_TRY(DrawingServices(engine, tables));
    const Place place = PlaceOf(args);
    std::string stored;
    std::vector<double> reals;
    if (tables->LispDataGet(place.byObject ? &place.object : nullptr, place.dictionary, CTqString(StringText(key)), stored, reals) != tq::kNormal)
        return fallback ? engine.CopyNode(fallback, out) : engine.MakeNil(out);
    QString text = QString::fromStdString(stored);
    for (std::size_t i = 0; i < reals.size(); ++i) {
        // Six decimals with a point whatever the process locale says.
        char number[400];
        const auto written = std::to_chars(number, number + sizeof number, reals[i], std::chars_format::fixed, 6);
        const QString digits = QString::fromLatin1(number, written.ptr - number);
        text.replace(QStringLiteral("(&VLO-R . %1)").arg(i), QLatin1Char(' ') + digits + QLatin1Char(' '));
    }
    // Read as the one element of a list, so a string and an expression read alike.
    const std::u16string source = u"(" + text.toStdU16String() + u"\n)";
    NodeRef list(engine);
    LISP_TRY(engine.ReadFromText(source, list.slot()));
    if (!IsConsList(list.get()))
        return engine.MakeNil(out);
    return engine.CopyNode(list->first, out);
}
