#include "app/main_window_rules.h"

#include "app/file_names.h"
#include "app/messages.h"
#include "resources/ids.h"

std::string mainTitle(const std::string& editPath) { return std::string(kMainTitlePrefix) + displayName(editPath); }

std::string mainMenuHelp(int itemId) {
    switch (itemId) {
        case IDM_PLAY_STEREO_HALF: return std::string(kHelpStereoHalf);
        case IDM_PLAY_STEREO_FULL: return std::string(kHelpStereoFull);
    }
    return std::string();
}

Message howToOperate() { return makeMessage(kHowToOperate, kHowToOperateCaption); }
