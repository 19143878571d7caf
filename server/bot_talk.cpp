#include "server/bot_talk.h"

#include <array>
#include <span>

#include "wire/chat.h"

namespace server {

namespace {

// Phrase indices of the shipped list by moment: 2 好牌！打得漂亮！, 9 哈哈，承让承让。,
// 8 你的牌打得太好了！, 4 再来一局吧！, 6 这把牌太烂了。, 11 谢谢，大家辛苦了！
constexpr std::array<int, 2> kAfterBurn{2, 9};
constexpr std::array<int, 2> kAfterPlace{9, 8};
constexpr std::array<int, 3> kAtRoundEnd{4, 6, 11};

}  // namespace

std::optional<int> BotTalk::phraseFor(TalkMoment moment) {
    std::span<const int> choices;
    std::uint64_t oneIn = 2;
    switch (moment) {
        case TalkMoment::Burn:
            choices = kAfterBurn;
            break;
        case TalkMoment::WentOut:
            choices = kAfterPlace;
            oneIn = 3;
            break;
        case TalkMoment::RoundOver:
            choices = kAtRoundEnd;
            break;
    }
    if (rng_.below(oneIn) != 0) return std::nullopt;
    return choices[rng_.below(choices.size())];
}

wire::GamePacket botPhrase(int seat, std::uint8_t sex, int index) {
    wire::Chat c;
    c.sender = wire::seatBit(seat);
    c.kind = wire::ChatKind::kVoice;
    c.phrase = {1,
                std::uint8_t(sex ? 1 : 0),
                1,
                1,
                std::uint8_t(index / 100 % 10),
                std::uint8_t(index / 10 % 10),
                std::uint8_t(index % 10)};
    return c.encode();
}

}  // namespace server
