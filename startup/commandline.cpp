#include "startup/commandline.h"

#include "startup/commandlineanswer.h"
#include "startup/playerlanguage.h"

#include <cstring>

namespace {

constexpr char version[] = "Brummo on the run " BRUMMO_VERSION "\n";

} // namespace

std::optional<int> answerInsteadOfGame(int argc, const char *const argv[], const PlayerTexts &texts)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0)
            return showAnswer(texts.translate("CommandLine", usageText), texts);
        if (std::strcmp(argv[i], "--version") == 0)
            return showAnswer(QString::fromUtf8(version), texts);
    }
    return std::nullopt;
}
