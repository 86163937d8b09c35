#include "linecaptions.h"

#include <memory>

namespace {

std::unique_ptr<std::array<QString, 2>> lineCaptions;

} // namespace

namespace IDELinesDlg {

const std::array<QString, 2> &LineCaptions()
{
    if (!lineCaptions)
        lineCaptions = std::make_unique<std::array<QString, 2>>(
            std::array<QString, 2>{QStringLiteral("&Lines"), QStringLiteral("&Line")});
    return *lineCaptions;
}

bool LineCaptionsHeld()
{
    return lineCaptions != nullptr;
}

void Finalization()
{
    lineCaptions.reset();
}

} // namespace IDELinesDlg
