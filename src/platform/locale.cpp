// The user's language, from the locale environment as the C library reads it: LC_ALL wins over
// LC_MESSAGES, which wins over LANG. Only German and English texts exist.
#include <cstdlib>
#include <cstring>

#include "platform/win_api.h"

LANGID GetUserDefaultLangID() {
    const char* names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    for (const char* name : names) {
        const char* value = std::getenv(name);
        if (value == nullptr || *value == '\0') continue;
        return std::strncmp(value, "de", 2) == 0 ? LANGID_GERMAN_GERMANY : LANGID_ENGLISH_US;
    }
    return LANGID_ENGLISH_US;
}
