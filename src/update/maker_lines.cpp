// The walk over the maker lines of the up-to-date answer: each line fills the next entry of the
// makers' array when its maker has out-of-date materials.

#include "connection/prixel_answer.h"
#include "import/dao_message.h"
#include "import/prixel_maker.h"
#include "platform/db/dao.h"
#include "platform/text.h"

namespace {

// A maker whose row cannot be worked is told to the user and counts as up to
// date.
bool CheckMaker(CPrixelMaker& maker) {
    try {
        return maker.CheckUpToDate();
    } catch (const CDaoException& e) {
        ShowDaoError(e);
        return true;
    }
}

}  // namespace

int CPrixelAnswer::ParseMakerLines(CPrixelMaker* makers, int capacity) const {
    const std::string body = GetAnswerBody();
    int outdated = 0;
    int start = 0;
    for (int end = text::Find(body, "\r\n"); end >= 0 && outdated < capacity;
         end = text::Find(body, "\r\n", start)) {
        CPrixelMaker& maker = makers[outdated];
        maker.SetFromLine(text::Mid(body, start, end - start));
        start = end + 2;
        if (!CheckMaker(maker)) ++outdated;
    }
    return outdated;
}
