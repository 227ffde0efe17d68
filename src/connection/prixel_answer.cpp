#include "connection/prixel_answer.h"

#include <cstring>

#include "platform/text.h"

CPrixelAnswer::CPrixelAnswer(const std::string& page) {
    const int start = text::Find(page, PRIXEL_ANSWER_START);
    const int end = text::Find(page, PRIXEL_ANSWER_END);
    if (start < 0 || end < 0) return;
    const int first = start + static_cast<int>(std::strlen(PRIXEL_ANSWER_START));
    if (end > first) m_strText = text::Mid(page, first, end - first);
}

std::string CPrixelAnswer::GetHeaderLine() const {
    const int crlf = text::Find(m_strText, "\r\n");
    return crlf < 0 ? std::string() : text::Left(m_strText, crlf);
}

std::string CPrixelAnswer::GetAnswerBody() const {
    return std::string(BodyView());
}

std::string_view CPrixelAnswer::BodyView() const {
    const std::size_t crlf = m_strText.find("\r\n");
    return crlf == std::string::npos ? std::string_view()
                                     : std::string_view(m_strText).substr(crlf + 2);
}

std::string PageText(const std::string& document) {
    return document.substr(0, document.find('\0'));
}
