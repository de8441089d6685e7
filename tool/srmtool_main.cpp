// srmtool: the question-file and score-file rules of the core for the
// command line and for scripts.

#include "tool_commands.h"

#include <QCoreApplication>
#include <cstdlib>
#include <iostream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const sorami::tool::Lang lang{sorami::tool::japaneseLocale(
        std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"))};
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    try {
        return sorami::tool::runTool(args, std::cout, std::cerr, lang);
    } catch (const std::exception& e) {
        // Anything unforeseen still ends with a message and an error code.
        std::cerr << "srmtool: " << e.what() << '\n';
        return sorami::tool::Findings;
    }
}
