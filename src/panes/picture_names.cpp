#include "panes/picture_names.h"

#include "platform/text_values.h"

namespace korbi::panes {

std::string NormalisePictName(std::string_view name) {
    std::string result(name);
    if (result.empty()) {
        return result;
    }
    if (result.size() < 5 || platform::UpperAscii(result.substr(result.size() - 4)) != ".BMP") {
        result += ".BMP";
    }
    return result;
}

std::optional<BuiltInPict> FindBuiltInPict(std::string_view normalisedName) {
    const std::string upper = platform::UpperAscii(normalisedName);
    if (upper == "PICTS\\EVJOIN.BMP") {
        return BuiltInPict::Join;
    }
    if (upper == "PICTS\\EVPART.BMP") {
        return BuiltInPict::Part;
    }
    if (upper == "PICTS\\EVQUIT.BMP") {
        return BuiltInPict::Quit;
    }
    if (upper == "PICTS\\EVPICERR.BMP") {
        return BuiltInPict::PicErr;
    }
    return std::nullopt;
}

std::string PictKey(std::string_view name) {
    std::string key = platform::UpperAscii(NormalisePictName(name));
    for (char& c : key) {
        if (c == '/') {
            c = '\\';
        }
    }
    return key;
}

} // namespace korbi::panes
