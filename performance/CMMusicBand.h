// Bands and musicians: a band is a named set of players (bass, piano, drums in every preset);
// the band list holds every musician of the program and the preset bands built from them. A
// player shared by several bands is one object, owned by the band list.
#pragma once

#include "core/CMString.h"
#include "performance/CMMusicPlayer.h"

#include <functional>
#include <memory>
#include <vector>

class CMMusicBand {
public:
    explicit CMMusicBand(const CMString& name) : m_name(name) {}

    const CMString& GetName() const { return m_name; }
    // What the band plays best, in a word or two ("swing", "bossa nova"); empty when not said.
    const CMString& GetStyle() const { return m_style; }
    void SetStyle(const CMString& style) { m_style = style; }
    void AddTail(const CMMusicPlayer& player) { m_players.push_back(&player); }
    // The band's players in the order added; the band does not own them.
    const std::vector<const CMMusicPlayer*>& GetPlayers() const { return m_players; }
    bool IsGreater(const CMMusicBand& other) const { return m_name > other.m_name; }

private:
    CMString m_name;
    CMString m_style;
    std::vector<const CMMusicPlayer*> m_players;
};

class CMMusicBandList {
public:
    // Creates the nine musicians with their libraries and the five preset bands.
    void BuildPresets();
    // Creates only the preset bands `wanted` says yes to, and their musicians: a program that
    // plays one band need not build the others' libraries.
    void BuildPresets(const std::function<bool(const CMString& band)>& wanted);

    // Bands and players, each sorted by name (byte-wise; equal names keep their order).
    const std::vector<std::unique_ptr<CMMusicBand>>& GetBands() const { return m_bands; }
    const std::vector<std::unique_ptr<CMMusicPlayer>>& GetPlayers() const { return m_players; }
    const CMMusicBand* FindBand(const CMString& name) const;
    const CMMusicPlayer* FindPlayer(const CMString& name) const;

private:
    CMMusicBand& AddBand(const char* name, const char* style, const CMMusicPlayer& bass,
                         const CMMusicPlayer& piano, const CMMusicPlayer& drums);
    CMMusicPlayer& AddPlayer(std::unique_ptr<CMMusicPlayer> player, void (*build)(CMMusicPlayer&));

    std::vector<std::unique_ptr<CMMusicBand>> m_bands;
    std::vector<std::unique_ptr<CMMusicPlayer>> m_players;
};
