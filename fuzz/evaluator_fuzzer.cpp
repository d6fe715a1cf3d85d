// Well-formed programs built from the fuzz bytes: built-in calls of known shapes, variables,
// user functions and loops with small fixed bounds, so that every input ends and the evaluator
// (not the reader) is what gets explored. The text is evaluated as one command line.
#include "fuzz/fuzz_session.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <string>

namespace {

// Argument kinds: n number, i integer, s string, l list, a anything, f function (quoted lambda
// or built-in name).
struct Shape {
    const char* name;
    const char* args;  // one kind per required argument
    const char* optional;  // kinds of optional arguments
};

const Shape kShapes[] = {
    {"+", "nn", "nn"}, {"-", "n", "nn"}, {"*", "nn", "n"}, {"/", "nn", "n"}, {"~", "i", ""},
    {"1+", "n", ""}, {"1-", "n", ""}, {"abs", "n", ""}, {"atan", "n", "n"}, {"exp", "n", ""},
    {"expt", "nn", ""}, {"fix", "n", ""}, {"float", "n", ""}, {"gcd", "ii", ""}, {"log", "n", ""},
    {"logand", "ii", "i"}, {"logior", "ii", "i"}, {"max", "n", "nn"}, {"min", "n", "nn"},
    {"rem", "nn", "n"}, {"sqrt", "n", ""}, {"sin", "n", ""}, {"cos", "n", ""}, {"tan", "n", ""},
    {"lsh", "ii", ""}, {"minusp", "n", ""}, {"zerop", "n", ""}, {"numberp", "a", ""},
    {"=", "aa", "a"}, {"/=", "aa", ""}, {"<", "aa", "a"}, {"<=", "aa", ""}, {">", "aa", "a"},
    {">=", "aa", ""}, {"atof", "s", ""}, {"atoi", "s", ""}, {"itoa", "i", ""}, {"boole", "iii", "i"},
    {"eq", "aa", ""}, {"equal", "aa", "n"}, {"atom", "a", ""}, {"boundp", "a", ""}, {"not", "a", ""},
    {"null", "a", ""}, {"type", "a", ""}, {"append", "l", "ll"}, {"assoc", "al", ""},
    {"car", "l", ""}, {"cdr", "l", ""}, {"cadr", "l", ""}, {"cddr", "l", ""}, {"caar", "l", ""},
    {"cdar", "l", ""}, {"caddr", "l", ""}, {"cadddr", "l", ""}, {"cons", "aa", ""},
    {"last", "l", ""}, {"length", "l", ""}, {"list", "", "aaa"}, {"listp", "a", ""},
    {"member", "al", ""}, {"nth", "il", ""}, {"reverse", "l", ""}, {"subst", "aal", ""},
    {"vl-sort", "lf", ""}, {"vl-sort-i", "lf", ""}, {"acad_strlsort", "l", ""},
    {"strcase", "s", "a"}, {"strcat", "", "sss"}, {"strlen", "", "ss"}, {"substr", "si", "i"},
    {"ascii", "s", ""}, {"chr", "i", ""}, {"wcmatch", "ss", ""}, {"vl-string-elt", "si", ""},
    {"vl-string->list", "s", ""}, {"vl-string-left-trim", "ss", ""}, {"vl-string-mismatch", "ss", "iia"},
    {"vl-string-position", "is", "ia"}, {"vl-string-right-trim", "ss", ""},
    {"vl-string-search", "ss", "i"}, {"vl-string-subst", "sss", "i"}, {"vl-string-trim", "ss", ""},
    {"vl-string-translate", "sss", ""}, {"vl-list->string", "l", ""}, {"prin1", "a", ""},
    {"princ", "a", ""}, {"print", "a", ""}, {"read", "s", ""}, {"apply", "fl", ""},
    {"mapcar", "fl", "l"}, {"eval", "a", ""}, {"set", "aa", ""}, {"rtos", "n", "ii"},
    {"distof", "s", "i"}, {"angtos", "n", "ii"}, {"angtof", "s", "i"}, {"distance", "ll", ""},
    {"angle", "ll", ""}, {"polar", "lnn", ""}, {"inters", "llll", "a"}, {"cvunit", "nss", ""},
    {"vl-catch-all-apply", "fl", ""}, {"vl-catch-all-error-p", "a", ""},
    {"vl-catch-all-error-message", "a", ""}, {"getvar", "s", ""}, {"snvalid", "s", "i"},
    {"vl-filename-base", "s", ""}, {"vl-filename-extension", "s", ""},
    {"vl-filename-directory", "s", ""}, {"translate", "s", ""}, {"symbtos", "a", ""},
    {"vl-prin1-to-string", "a", ""}, {"vl-princ-to-string", "a", ""}, {"error", "s", ""},
};

const char* const kVariables[] = {"a", "b", "c", "lst", "str"};
const char* const kStrings[] = {"\"\"", "\"abc\"", "\"A*\"", "\"1.5\"", "\"-12\"", "\"x y\\tz\"",
                                "\"\\\"q\\\"\"", "\"#,@\"", "\"~[a-c]?\"", "\"\\\\n\"", "\"\\U+00E9t\xc3\xa9\""};
const char* const kFunctions[] = {"'+", "'<", "'>", "'strcat", "'list", "'cons", "'car", "'max",
                                  "'(lambda (x) x)", "'(lambda (x y) (< x y))", "'(lambda (x y) (> x y))",
                                  "'(lambda (x) (* x 2))", "(function (lambda (x) (list x)))", "'f0", "'f1"};

class Generator {
public:
    explicit Generator(FuzzedDataProvider& data) : m_data(data) {}

    std::string Program()
    {
        std::string text = "(progn (setq a 1 b 2.5 c \"s\" lst '(1 2 3) str \"abc\")";
        // Two user functions: f1 may call f0, neither calls itself.
        m_callable = 0;
        text += " (defun f0 (x) " + Expression(3, 'a') + ")";
        m_callable = 1;
        text += " (defun f1 (x y / z) " + Expression(3, 'a') + ")";
        m_callable = 2;
        const int count = m_data.ConsumeIntegralInRange(1, 8);
        for (int i = 0; i < count && m_data.remaining_bytes() > 0; ++i)
            text += " " + Expression(5, 'a');
        return text + ")";
    }

private:
    std::string Literal(char kind)
    {
        switch (kind) {
        case 'i': return std::to_string(m_data.ConsumeIntegralInRange<int>(-3, 40) == 40 ? m_data.ConsumeIntegral<std::int32_t>() : m_data.ConsumeIntegralInRange<int>(-3, 40));
        case 'n':
            if (m_data.ConsumeBool())
                return std::to_string(m_data.ConsumeIntegralInRange<int>(-100, 100));
            return std::to_string(m_data.ConsumeFloatingPointInRange<double>(-1e6, 1e6));
        case 's': return m_data.PickValueInArray(kStrings);
        case 'l': {
            std::string list = "'(";
            const int n = m_data.ConsumeIntegralInRange(0, 4);
            for (int i = 0; i < n; ++i) {
                switch (m_data.ConsumeIntegralInRange(0, 4)) {
                case 0: list += Literal('i'); break;
                case 1: list += Literal('n'); break;
                case 2: list += Literal('s'); break;
                case 3: list += "(1 . 2)"; break;
                default: list += "(a b)"; break;
                }
                list += " ";
            }
            return list + ")";
        }
        case 'f': {
            // The last two name the user functions, callable only where no recursion can arise.
            const std::size_t last = std::size(kFunctions) - 1 - (m_callable < 2) - (m_callable < 1);
            return kFunctions[m_data.ConsumeIntegralInRange<std::size_t>(0, last)];
        }
        default: {
            const char kinds[] = {'i', 'n', 's', 'l', 'f'};
            return Literal(m_data.PickValueInArray(kinds));
        }
        }
    }

    std::string Call(int depth)
    {
        const Shape& shape = m_data.PickValueInArray(kShapes);
        std::string text = std::string("(") + shape.name;
        for (const char* kind = shape.args; *kind; ++kind)
            text += " " + Expression(depth - 1, *kind);
        const std::size_t optional = std::char_traits<char>::length(shape.optional);
        const std::size_t used = m_data.ConsumeIntegralInRange<std::size_t>(0, optional);
        for (std::size_t i = 0; i < used; ++i)
            text += " " + Expression(depth - 1, shape.optional[i]);
        return text + ")";
    }

    std::string Expression(int depth, char kind)
    {
        if (depth <= 0 || m_data.remaining_bytes() == 0)
            return m_data.ConsumeBool() ? Literal(kind) : m_data.PickValueInArray(kVariables);
        const std::string var = m_data.PickValueInArray(kVariables);
        switch (m_data.ConsumeIntegralInRange(0, 15)) {
        case 0: return Literal(kind);
        case 1: return var;
        case 2: return "(setq " + var + " " + Expression(depth - 1, kind) + ")";
        case 3: return "(if " + Expression(depth - 1, 'a') + " " + Expression(depth - 1, kind) + " " + Expression(depth - 1, kind) + ")";
        case 4: return "(repeat " + std::to_string(m_data.ConsumeIntegralInRange(0, 6)) + " " + Expression(depth - 1, 'a') + ")";
        case 5: return "(foreach x " + Expression(depth - 1, 'l') + " " + Expression(depth - 1, 'a') + ")";
        case 6: {
            const std::string counter = "i" + std::to_string(depth);
            return "(progn (setq " + counter + " 0) (while (and (< " + counter + " " + std::to_string(m_data.ConsumeIntegralInRange(0, 6)) + ") " +
                   Expression(depth - 1, 'a') + ") (setq " + counter + " (1+ " + counter + ")) " + Expression(depth - 1, 'a') + "))";
        }
        case 7: return "(mapcar '(lambda (x) " + Expression(depth - 1, 'a') + ") " + Expression(depth - 1, 'l') + ")";
        case 8:
            if (m_callable >= 1)
                return "(f0 " + Expression(depth - 1, 'a') + ")";
            return Call(depth);
        case 9:
            if (m_callable >= 2)
                return "(f1 " + Expression(depth - 1, 'a') + " " + Expression(depth - 1, 'a') + ")";
            return Call(depth);
        case 10: return "(cond (" + Expression(depth - 1, 'a') + " " + Expression(depth - 1, kind) + ") (t " + Expression(depth - 1, kind) + "))";
        case 11: return "(vl-catch-all-apply '(lambda () " + Expression(depth - 1, kind) + ") nil)";
        case 12: return "(and " + Expression(depth - 1, 'a') + " " + Expression(depth - 1, 'a') + ")";
        default: return Call(depth);
        }
    }

    FuzzedDataProvider& m_data;
    int m_callable = 2;  // user functions callable here: f0 when at least 1, f1 when 2
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    const std::string program = Generator(provider).Program();
    if (qEnvironmentVariableIsSet("KELTORA_FUZZ_PRINT"))
        std::fprintf(stderr, "%s\n", program.c_str());
    fuzz::Evaluate(QString::fromStdString(program));
    return 0;
}
