// srmtool: the question-file and score-file rules of the core for the
// command line and for scripts.

#include "chart_png.h"
#include "tool_commands.h"
#include "tool_output.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string_view>
#include <unistd.h>

namespace {

// Drawing a PNG chart needs the fonts of Qt GUI; every other command runs
// without it, so scripts do not pay for it.
bool wantsPng(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string_view(argv[i]) == "--chart" &&
            QString::fromLocal8Bit(argv[i + 1])
                .endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
            return true;
    return false;
}

} // namespace

int main(int argc, char** argv) {
    sorami::tool::keepStandardOutputTaken();
    std::unique_ptr<QCoreApplication> app;
    if (wantsPng(argc, argv)) {
        // A chart is drawn into a picture, never onto a screen.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    const sorami::tool::Lang lang{sorami::tool::japaneseLocale(
        std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"))};
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    try {
        return sorami::tool::runToolTo(STDOUT_FILENO, args, std::cerr, lang,
                                       sorami::tool::paintChartPng);
    } catch (const std::exception& e) {
        // Anything unforeseen still ends with a message and an error code.
        std::cerr << "srmtool: " << e.what() << '\n';
        return sorami::tool::Findings;
    }
}
