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

// Whole numbers without a fraction, others in their shortest form.
std::string plainNumber(double v) {
    if (std::isfinite(v) && v == std::floor(v) && std::fabs(v) < 1e15)
        return std::to_string(static_cast<long long>(v));
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    return buf;
}

}  // namespace

void RoundResult::HandleResult(const wire::RoundResult& result) {
    buttons_.stopOthersCountdown();
    ui::Form& score = scores_.Score();
    ui::Form& hero = scores_.Hero();
    auto list = [&score](int i) -> std::vector<std::string>& { return score.at("State", i).items; };
    for (int i = 0; i < 12; ++i) list(i).clear();

    const std::uint8_t own = state_.PlayerRecord[0].seatBit;
    auto slotOfSeat = [own](std::uint8_t seatBit) { return state::screenSlot(seatBit, own); };
    auto& rows = ResultTable_;
    for (const wire::ResultRecord& record : result.records) {
        const auto slot = static_cast<std::size_t>(slotOfSeat(record.seat));
        rows[slot] = record;
        currency_[slot] = result.currency;
    }

    if (++state_.ResultPacketsSeen < 3) return;

    state_.RoundStake = static_cast<std::int32_t>(result.stake);
    auto row = [&rows](int s) -> const wire::ResultRecord& {
        return rows[static_cast<std::size_t>(s)];
    };
    auto nickname = [this](int s) {
        return state_.PlayerInfo[static_cast<std::size_t>(s)].nickname;
    };

    for (int s = 0; s < 6; ++s) {
        list(s).push_back("房间条数：" + std::to_string(state_.RoundStake) + "金币");
        list(s).push_back("");
    }
    for (int s = 0; s < 6; ++s)
        list(s).push_back("玩家获第 " + std::to_string(row(s).place) + " 名");
    bool sweep = false;
    for (int s = 0; s < 6; ++s) {
        if (row(s).sweep == 1) {
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
        const wire::ResultRecord& r = row(s);
        auto& info = state_.PlayerInfo[static_cast<std::size_t>(s)];
        if (s > 0) {
            rules::Hand& cards = state_.PlayerRecord[static_cast<std::size_t>(s)].cards;
            cards.clear();
            const int count = r.cardCount;
            for (int k = 0; k < count; ++k)
                cards.append(static_cast<rules::CardCode>(
                                 wire::revealedCard(r.cards[static_cast<std::size_t>(k)])),
                             static_cast<std::int16_t>(k));
            hand_.SortAndShowCards(s, count);
        }
        const wire::Outcome outcome = r.outcome;
        const std::string a1 = std::to_string(r.firstAmount);
        const std::uint64_t a2Value = r.secondAmount;
        const std::string a2 = std::to_string(a2Value);
        auto& column = list(s);
        auto& total = list(s + 6);
        auto& grade = hero.at("Grade", s).items;
        if (outcome == wire::Outcome::kWon) column.push_back("  本回合赢");
        if (outcome == wire::Outcome::kLost) column.push_back("  本回合输");
        if (outcome == wire::Outcome::kDrawn) column.push_back("  本回合平");

        if (outcome == wire::Outcome::kWon) column.push_back("总分：" + a1 + "金币");
        if (outcome == wire::Outcome::kLost)
            column.push_back(a1 != "0" ? "总分：- " + a1 + "金币" : "总分： " + a1 + "金币");
        if (outcome == wire::Outcome::kDrawn) column.push_back("");
        if (outcome == wire::Outcome::kWon || outcome == wire::Outcome::kLost ||
            outcome == wire::Outcome::kDrawn)
            column.push_back("-----------");

        double& gameScore = state_.GameScore[static_cast<std::size_t>(s)];
        if (outcome == wire::Outcome::kWon) {
            column.push_back("");
            column.push_back("总分：" + a2 + "金币");
            total.push_back("总分：" + a2 + "金币");
            grade.push_back("     " + a2);
            gameScore += static_cast<double>(a2Value);
        } else if (outcome == wire::Outcome::kLost) {
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
        if (outcome == wire::Outcome::kWon || outcome == wire::Outcome::kLost)
            hero.at("sunScore", s).caption = plainNumber(gameScore);
        column.push_back("-----------");
        column.push_back("");

        if (outcome == wire::Outcome::kWon) {
            ++info.winCount;
            info.gold += static_cast<double>(a2Value);
        } else if (outcome == wire::Outcome::kLost) {
            if (a2Value != 0) ++info.lossCount;
            info.gold -= static_cast<double>(a2Value);
        }
        if (info.gold < 0) info.gold = 0;
        if (s == 0)
            ownRoundAmount = outcome == wire::Outcome::kWon    ? static_cast<double>(a2Value)
                             : outcome == wire::Outcome::kLost ? -static_cast<double>(a2Value)
                                                               : 0;

        const int level = r.level;
        if (level >= 1 && level <= 40) {
            ui::Control& label = table_.at("Level", s);
            label.caption = kLevelNames[level - 1];
            table_.bringToFront(label);
        }
        table_.at("Cash", s).caption =
            plainNumber(info.gold) +
            (currency_[static_cast<std::size_t>(s)] == 1 ? "金币" : "金条");
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
            const int n = row(i).fallCards;
            if (n == 0) continue;
            const int j = slotOfSeat(row(i).fallPayer);
            entry(i, "吃落贡" + std::to_string(n) + "张", j);
            entry(j, "进落贡" + std::to_string(n) + "张", i);
            fallLines[static_cast<std::size_t>(i)] = fallLines[static_cast<std::size_t>(j)] = true;
        }
        for (int s = 0; s < 6; ++s)
            if (!fallLines[static_cast<std::size_t>(s)]) list(s).insert(list(s).end(), 2, "");
        for (int i = 0; i < 6; ++i) {
            const int n = row(i).pointCards;
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
            if (row(i).burnReceives != 1) continue;
            const int j = slotOfSeat(row(i).burnPayer);
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
            if (row(i).stuffyPays != 1) continue;
            const int j = slotOfSeat(row(i).stuffyReceiver);
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
        connection_.slots[net::kSlotContinue].counter = 0;
        countdown_.show();
    }
    // The win sound when the own side took gold from this round.
    sound_.PlaySoundEffect(ownRoundAmount > 0 ? sound::Effect::kRoundWon
                                              : sound::Effect::kRoundNotWon);
    scores_.SaveRoundRecord(static_cast<std::int16_t>(state_.RoundNumber));
}

}  // namespace protocol
