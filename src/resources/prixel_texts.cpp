#include "resources/prixel_texts.h"

#include "platform/text.h"

std::string Fr(const char* utf8) {
    return text::FromUtf8(utf8);
}
