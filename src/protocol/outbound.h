#pragma once
// Everything the client sends the server, as one table: the command code, the byte
// that tells the variants of a code apart and its value. Senders build their packet
// from their entry with outboundPacket and add their own payload.
#include <array>
#include <cstdint>
#include <string_view>

#include "wire/frame.h"

namespace protocol {

enum class Outbound {
    PreDeclare,          // 预点
    DeclareOpenly,       // 明点
    DeclineDeclaration,  // button or countdown expiry
    GoToWork,            // 上班: [11] CardId of a raised four, [12] BestSameSuitCount (> 0)
    DeclineWork,         // [12] = 0
    Revolt,              // 革命
    DeclineRevolution,
    ChooseHead,    // 有头
    ChooseNoHead,  // 无头; also on countdown expiry
    Pass,          // button, hint without proposal, countdown expiry
    PlayCards,     // [17] count, [18] class, [20..] CardIds
    Yield,         // 让牌
    TakeOverLead,  // 接风
    AcceptTribute,
    DeclineTribute,
    ReturnTribute,  // [16] count, [17..18] CardIds
    Leave,          // written to the socket directly by the leave routine
    Continue,       // ready for the next round
    Login,          // written to the socket directly; carries no seat bit
    LoginAfterReconnect,
    ChatLine,     // text from byte 16, written by the send queue
    VoicePhrase,  // phrase code in [16..22]
    KeepAlive,
};

struct OutboundCommand {
    Outbound id;
    std::uint8_t code;
    std::int8_t subByte;  // -1: the code has no variant byte
    std::uint8_t subValue;
    bool carriesSeatBit;  // byte 6 = the own seat bit
    std::string_view meaning;
};

inline constexpr std::array<OutboundCommand, 23> kOutboundCatalogue{{
    {Outbound::PreDeclare, 2, 8, 1, true, "pre-declare"},
    {Outbound::DeclareOpenly, 2, 8, 2, true, "declare openly"},
    {Outbound::DeclineDeclaration, 2, 8, 0, true, "decline the declaration prompt"},
    {Outbound::GoToWork, 3, -1, 0, true, "go to work"},
    {Outbound::DeclineWork, 3, 12, 0, true, "decline going to work"},
    {Outbound::Revolt, 5, 8, 0, true, "revolt"},
    {Outbound::DeclineRevolution, 5, 8, 1, true, "decline the revolution prompt"},
    {Outbound::ChooseHead, 5, 8, 2, true, "choose a head"},
    {Outbound::ChooseNoHead, 5, 8, 3, true, "choose no head"},
    {Outbound::Pass, 7, 15, 1, true, "pass"},
    {Outbound::PlayCards, 7, 15, 2, true, "play cards"},
    {Outbound::Yield, 7, 15, 3, true, "yield"},
    {Outbound::TakeOverLead, 7, 15, 4, true, "take over the lead"},
    {Outbound::AcceptTribute, 8, 8, 1, true, "accept the offered tribute"},
    {Outbound::DeclineTribute, 8, 8, 2, true, "decline the offered tribute"},
    {Outbound::ReturnTribute, 8, 8, 0, true, "return tribute"},
    {Outbound::Leave, 16, 15, 0, true, "leave the table"},
    {Outbound::Continue, 16, 15, 1, true, "continue with the next round"},
    {Outbound::Login, 18, 4, 0, false, "login"},
    {Outbound::LoginAfterReconnect, 18, 4, 28, false, "login after a reconnect"},
    {Outbound::ChatLine, 19, 11, 0, true, "chat line"},
    {Outbound::VoicePhrase, 19, 11, 1, true, "voice phrase"},
    {Outbound::KeepAlive, 24, -1, 0, true, "keep-alive"},
}};

constexpr bool outboundInEnumOrder() {
    for (std::size_t i = 0; i < kOutboundCatalogue.size(); ++i)
        if (kOutboundCatalogue[i].id != static_cast<Outbound>(i)) return false;
    return true;
}
static_assert(outboundInEnumOrder(), "kOutboundCatalogue is indexed by Outbound");

constexpr const OutboundCommand& outboundCommand(Outbound id) {
    return kOutboundCatalogue[static_cast<std::size_t>(id)];
}

// A zeroed packet with the entry's code and variant byte, and the own seat bit in
// byte 6 where the command carries it.
inline wire::GamePacket outboundPacket(Outbound id, std::uint8_t ownSeatBit) {
    const OutboundCommand& c = outboundCommand(id);
    wire::GamePacket p = wire::makePacket(c.code, c.carriesSeatBit ? ownSeatBit : 0);
    if (c.subByte >= 0) p[static_cast<std::size_t>(c.subByte)] = c.subValue;
    return p;
}

}  // namespace protocol
