#include "record/action_text.h"

#include <map>

#include "wire/commands.h"
#include "wire/play.h"

namespace record {

std::string actionText(const wire::GamePacket& p) {
    using wire::Command;
    if (wire::commandOf(p) == Command::kPlay) {
        switch (static_cast<wire::PlayAction>(p[wire::Play::kActionByte])) {
            case wire::PlayAction::kPass:
                return "过";
            case wire::PlayAction::kPlayCards:
                return "出牌 " + std::to_string(p[wire::Play::kCountByte]) + " 张";
            case wire::PlayAction::kYield:
                return "让牌";
            case wire::PlayAction::kTakeLead:
                return "接风";
        }
        return "出牌";
    }
    static const std::map<Command, std::string> names = {
        {Command::kDeclaration, "报牌"},  {Command::kWork, "工作"},
        {Command::kExchange, "三张交换"}, {Command::kRevolution, "革命"},
        {Command::kTribute, "进贡"},      {Command::kGameOver, "离开或继续"},
        {Command::kLogin, "登录"},        {Command::kChat, "聊天"},
    };
    const auto it = names.find(wire::commandOf(p));
    return it == names.end() ? "" : it->second;
}

}  // namespace record
