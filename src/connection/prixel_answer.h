#pragma once
// The answer the service put into a page: the text between "<BODY><PRE>" and "</PRE></BODY>".
// Its first line is the header line; the lines after it are the body.

#include <list>
#include <string>
#include <string_view>

class CPrixelMaker;

inline constexpr const char* PRIXEL_ANSWER_START = "<BODY><PRE>";
inline constexpr const char* PRIXEL_ANSWER_END = "</PRE></BODY>";

class CPrixelAnswer {
  public:
    explicit CPrixelAnswer(const std::string& page);
    virtual ~CPrixelAnswer() = default;

    bool IsEmpty() const { return m_strText.empty(); }
    // The text up to its first CR LF; empty when it holds none.
    std::string GetHeaderLine() const;
    // The text after its first CR LF; empty when it holds none.
    std::string GetAnswerBody() const;
    // The same, read in place.
    std::string_view BodyView() const;
    // Writes every article line of the body into the service library (toLibrary) or into the
    // open study, appends the code of each article written to codes and answers their number.
    int ImportAnswer(std::list<std::string>& codes, bool toLibrary);

    // Fills the makers of an array of capacity entries from the body's maker lines, the
    // out-of-date ones packed at its start; answers how many are out of date.
    int ParseMakerLines(CPrixelMaker* makers, int capacity) const;
    // The list price, as text, of the first article of the body that has one; empty when none.
    std::string GetTariffFromAnswer() const;

    std::string m_strText;
};

// The page's text from a saved document: its bytes up to the first zero byte.
std::string PageText(const std::string& document);
