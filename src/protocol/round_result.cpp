#include "protocol/round_result.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace protocol {

namespace {

constexpr const char* kLevelNames[40] = {
    "第一级",     "第二级",     "第三级",     "第四级",     "第五级",     "第六级",
    "第七级",     "第八级",     "第九级",     "第十级",     "第十一级",   "第十二级",
    "第十三级",   "第十四级",   "第十五级",   "第十六级",   "第十七级",   "第十八级",
    "第十九级",   "第二十级",   "第二十一级", "第二十二级", "第二十三级", "第二十四级",
    "第二十五级", "第二十六级", "第二十七级", "第二十八级", "第二十九级", "第三十级",
    "第三十一级", "第三十二级", "第三十三级", "第三十四级", "第三十五级", "第三十六级",
    "第三十七级", "第三十八级", "第三十九级", "第四十级"};

// Result-row columns.
enum Column : std::size_t {
    ColCurrency = 15,
    ColSeat = 16,
    ColPlace = 17,
    ColOutcome = 18,
    ColFirstAmount = 19,
    ColSecondAmount = 27,
    ColStuffyPays = 35,
    ColStuffyReceiver = 36,
    ColBurnReceives = 37,
    ColBurnPayer = 38,
    ColPointCards = 39,
    ColFallCards = 40,
    ColFallPayer = 41,
    ColCardCount = 42,
    ColCards = 43,
    ColLevel = 97,
    ColSweep = 98,
};

enum Outcome : std::uint8_t { Drawn = 0, Won = 1, Lost = 2 };

constexpr int kMaxRevealedCards = 54;

std::uint64_t amountAt(const ResultRow& row, std::size_t col) {
    std::uint64_t v = 0;
    for (int b = 7; b >= 0; --b) v = (v << 8) | row[col + static_cast<std::size_t>(b)];
    return v;
}

// A card of the revealed hand: low four bits the rank code (0 and 1 the jokers,
// ranks 16 and 17 without a suit), high four bits the suit bit.
rules::CardCode revealedCard(std::uint8_t byte) {
    int rank = byte & 0x0F, suit = byte >> 4;
    if (rank <= 1) {
        rank += 16;
        suit = 0;
    }
    return static_cast<rules::CardCode>(rank | (suit << 8));
}

// Whole numbers without a fraction, others in their shortest form.
std::string plainNumber(double v) {
    if (std::isfinite(v) && v == std::floor(v) && std::fabs(v) < 1e15)
        return std::to_string(static_cast<long long>(v));
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    return buf;
}

}  // namespace

void RoundResult::HandleResult(const wire::GamePacket& p) {
    buttons_.stopOthersCountdown();
    ui::Form& score = scores_.Score();
    ui::Form& hero = scores_.Hero();
    auto list = [&score](int i) -> std::vector<std::string>& { return score.at("State", i).items; };
    for (int i = 0; i < 12; ++i) list(i).clear();

    const std::uint8_t own = state_.PlayerRecord[0].seatBit;
    auto slotOfSeat = [own](std::uint8_t seatByte) {
        return state::screenSlot(seatByte & 0x3F, own);
    };
    auto& rows = ResultTable_;
    ResultRow& first = rows[static_cast<std::size_t>(slotOfSeat(p[ColSeat]))];
    std::copy_n(p.begin(), 116, first.begin());
    ResultRow& second = rows[static_cast<std::size_t>(slotOfSeat(p[ColSeat + 100]))];
    std::copy_n(p.begin(), 16, second.begin());
    std::copy_n(p.begin() + 116, 156, second.begin() + 16);

    if (++state_.ResultPacketsSeen < 3) return;

    state_.RoundStake = static_cast<std::int32_t>(
        std::uint32_t(p[8]) << 24 | std::uint32_t(p[9]) << 16 | std::uint32_t(p[10]) << 8 | p[11]);
    auto row = [&rows](int s) -> const ResultRow& { return rows[static_cast<std::size_t>(s)]; };
    auto nickname = [this](int s) {
        return state_.PlayerInfo[static_cast<std::size_t>(s)].nickname;
    };

    for (int s = 0; s < 6; ++s) {
        list(s).push_back("房间条数：" + std::to_string(state_.RoundStake) + "金币");
        list(s).push_back("");
    }
    for (int s = 0; s < 6; ++s)
        list(s).push_back("玩家获第 " + std::to_string(row(s)[ColPlace]) + " 名");
    bool sweep = false;
    for (int s = 0; s < 6; ++s) {
        if (row(s)[ColSweep] == 1) {
            list(s).push_back("  串三户");
            state_.RoundInGame = 2;  // the increment below wraps it: the game ends
            state_.FreeToLeave = true;
            sweep = true;
        } else {
            list(s).push_back("");
        }
    }

    double ownRoundAmount = 0;
    for (int s = 0; s < 6; ++s) {
        const ResultRow& r = row(s);
        auto& info = state_.PlayerInfo[static_cast<std::size_t>(s)];
        if (s > 0) {
            rules::Hand& cards = state_.PlayerRecord[static_cast<std::size_t>(s)].cards;
            cards.clear();
            const int count = std::min<int>(r[ColCardCount], kMaxRevealedCards);
            for (int k = 0; k < count; ++k)
                cards.append(revealedCard(r[ColCards + static_cast<std::size_t>(k)]),
                             static_cast<std::int16_t>(k));
            hand_.SortAndShowCards(s, count);
        }
        const std::uint8_t outcome = r[ColOutcome];
        const std::string a1 = std::to_string(amountAt(r, ColFirstAmount));
        const std::uint64_t a2Value = amountAt(r, ColSecondAmount);
        const std::string a2 = std::to_string(a2Value);
        auto& column = list(s);
        auto& total = list(s + 6);
        auto& grade = hero.at("Grade", s).items;
        if (outcome == Won) column.push_back("  本回合赢");
        if (outcome == Lost) column.push_back("  本回合输");
        if (outcome == Drawn) column.push_back("  本回合平");

        if (outcome == Won) column.push_back("总分：" + a1 + "金币");
        if (outcome == Lost)
            column.push_back(a1 != "0" ? "总分：- " + a1 + "金币" : "总分： " + a1 + "金币");
        if (outcome == Drawn) column.push_back("");
        if (outcome == Won || outcome == Lost || outcome == Drawn) column.push_back("-----------");

        double& gameScore = state_.GameScore[static_cast<std::size_t>(s)];
        if (outcome == Won) {
            column.push_back("");
            column.push_back("总分：" + a2 + "金币");
            total.push_back("总分：" + a2 + "金币");
            grade.push_back("     " + a2);
            gameScore += static_cast<double>(a2Value);
        } else if (outcome == Lost) {
            column.insert(column.end(), 2, "");
            column.push_back("总分：- " + a2 + "金币");
            total.push_back("总分：- " + a2 + "金币");
            grade.push_back("     -" + a2);
            gameScore -= static_cast<double>(a2Value);
        } else {
            column.insert(column.end(), 3, "");
            total.push_back("     0");
            grade.push_back("      0");
        }
        if (outcome == Won || outcome == Lost)
            hero.at("sunScore", s).caption = plainNumber(gameScore);
        column.push_back("-----------");
        column.push_back("");

        if (outcome == Won) {
            ++info.winCount;
            info.gold += static_cast<double>(a2Value);
        } else if (outcome == Lost) {
            if (a2Value != 0) ++info.lossCount;
            info.gold -= static_cast<double>(a2Value);
        }
        if (info.gold < 0) info.gold = 0;
        if (s == 0)
            ownRoundAmount = outcome == Won    ? static_cast<double>(a2Value)
                             : outcome == Lost ? -static_cast<double>(a2Value)
                                               : 0;

        const int level = r[ColLevel];
        if (level >= 1 && level <= 40) {
            ui::Control& label = table_.at("Level", s);
            label.caption = kLevelNames[level - 1];
            table_.bringToFront(label);
        }
        table_.at("Cash", s).caption =
            plainNumber(info.gold) + (r[ColCurrency] == 1 ? "金币" : "金条");
    }

    if (!sweep) {
        // The tribute the next round requires; any entry means the player cannot
        // leave without the escape warning.
        state_.FreeToLeave = true;
        auto entry = [&](int s, const std::string& text, int other) {
            list(s).push_back(text);
            list(s).push_back("  " + nickname(other));
            state_.FreeToLeave = false;
        };
        std::array<bool, 6> fallLines{};
        for (int i = 0; i < 6; ++i) {
            const int n = row(i)[ColFallCards];
            if (n == 0) continue;
            const int j = slotOfSeat(row(i)[ColFallPayer]);
            entry(i, "吃落贡" + std::to_string(n) + "张", j);
            entry(j, "进落贡" + std::to_string(n) + "张", i);
            fallLines[static_cast<std::size_t>(i)] = fallLines[static_cast<std::size_t>(j)] = true;
        }
        for (int s = 0; s < 6; ++s)
            if (!fallLines[static_cast<std::size_t>(s)]) list(s).insert(list(s).end(), 2, "");
        for (int i = 0; i < 6; ++i) {
            const int n = row(i)[ColPointCards];
            const int j = (i + 3) % 6;
            if (n == 0) {
                list(i).insert(list(i).end(), 2, "");
                list(j).insert(list(j).end(), 2, "");
                continue;
            }
            entry(i, "吃点贡" + std::to_string(n) + "张", j);
            entry(j, "进点贡" + std::to_string(n) + "张", i);
        }
        std::array<int, 6> burns{};
        for (int i = 0; i < 6; ++i) {
            if (row(i)[ColBurnReceives] != 1) continue;
            const int j = slotOfSeat(row(i)[ColBurnPayer]);
            entry(i, "吃烧贡1张", j);
            entry(j, "进烧贡1张", i);
            ++burns[static_cast<std::size_t>(i)];
            ++burns[static_cast<std::size_t>(j)];
        }
        // Each burn entry is two lines; the columns are padded to the same number
        // of entries so the stuffy-tribute lines below stand level.
        const int most = *std::max_element(burns.begin(), burns.end());
        for (int s = 0; s < 6; ++s)
            list(s).insert(
                list(s).end(),
                static_cast<std::size_t>(2 * (most - burns[static_cast<std::size_t>(s)])), "");
        for (int i = 0; i < 6; ++i) {
            if (row(i)[ColStuffyPays] != 1) continue;
            const int j = slotOfSeat(row(i)[ColStuffyReceiver]);
            entry(i, "进闷贡1张", j);
            entry(j, "吃闷贡1张", i);
        }
    }

    // End of the round.
    for (auto& rec : state_.PlayerRecord) {
        rec.cards.clear();
        for (int k = 0; k < 56; ++k) rec.cards.setEntry(k, rules::HandEntry{0, -1, 0});
    }
    ++state_.RoundNumber;
    state_.RoundInGame = (state_.RoundInGame + 1) % 3;
    if (state_.RoundInGame == 0) ++state_.GamesPlayed;
    char number[16];
    std::snprintf(number, sizeof number, "%6d", state_.RoundNumber);
    hero.at("Num").items.push_back(number);
    state_.ResultPacketsSeen = 0;

    score.load();
    scores_.centreOnTable(score);
    score.show();
    if (!state_.Away) hero.show();

    ui::Control& sys0 = table_.at("Sysmsg", 0);
    sys0.items = {"请点击【继续】按钮继续游戏！"};
    hallButtons_.clearHallButtonPressed(table::kBtnContinue);
    state_.InGame = false;
    state_.GameResetDone = false;
    table_.at("Sysmsg", 1).items = {"游戏将在15秒内开始"};

    if (!state_.SpectatorMode) {
        hallButtons_.startContinueCountdown();
        connection_.slots[net::SlotContinue].counter = 0;
        countdown_.show();
    }
    // The win sound when the own side took gold from this round.
    sound_.PlaySoundEffect(ownRoundAmount > 0 ? sound::Effect::RoundWon
                                              : sound::Effect::RoundNotWon);
    scores_.SaveRoundRecord(static_cast<std::int16_t>(state_.RoundNumber));
}

}  // namespace protocol
