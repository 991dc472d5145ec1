// Median cut gives a first palette that follows where the colours are; a few
// rounds of k-means then move each entry to the mean of the colours it serves.
// Colours are weighted by how many pixels have them; distances weigh green most,
// as the eye does.
#include "tools/skinart/ArtPalette.h"

#include "tools/skinart/ArtRaster.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>

namespace art {

namespace {

struct Weighted {
    std::array<double, 3> C;  // red, green, blue
    double Count;
};

constexpr std::array<double, 3> Weights = {3, 4, 2};

std::array<double, 3> Channels(uint32_t px)
{
    return {double((px >> 16) & 0xFF), double((px >> 8) & 0xFF), double(px & 0xFF)};
}

uint32_t PixelOf(const std::array<double, 3>& c)
{
    return ToPixel({c[0], c[1], c[2]});
}

double Distance(const std::array<double, 3>& a, const std::array<double, 3>& b)
{
    double d = 0;
    for (int k = 0; k < 3; ++k) d += Weights[k] * (a[k] - b[k]) * (a[k] - b[k]);
    return d;
}

std::array<double, 3> Mean(const std::vector<Weighted>& colours)
{
    std::array<double, 3> sum{};
    double n = 0;
    for (const Weighted& w : colours) {
        for (int k = 0; k < 3; ++k) sum[k] += w.C[k] * w.Count;
        n += w.Count;
    }
    for (double& v : sum) v /= n;
    return sum;
}

// The channel along which the box's colours spread most (weighted), and how far.
std::pair<int, double> WidestChannel(const std::vector<Weighted>& box)
{
    int best = 0;
    double widest = -1;
    for (int k = 0; k < 3; ++k) {
        double lo = 1e9, hi = -1e9;
        for (const Weighted& w : box) lo = std::min(lo, w.C[k]), hi = std::max(hi, w.C[k]);
        const double spread = (hi - lo) * Weights[k];
        if (spread > widest) widest = spread, best = k;
    }
    return {best, widest};
}

std::vector<std::array<double, 3>> MedianCut(std::vector<Weighted> colours, size_t boxes)
{
    std::vector<std::vector<Weighted>> parts{std::move(colours)};
    while (parts.size() < boxes) {
        // Split the box whose colours spread furthest, weighted by its pixels.
        size_t pick = parts.size();
        double score = 0;
        for (size_t i = 0; i < parts.size(); ++i) {
            if (parts[i].size() < 2) continue;
            double n = 0;
            for (const Weighted& w : parts[i]) n += w.Count;
            const double s = WidestChannel(parts[i]).second * std::sqrt(n);
            if (s > score) score = s, pick = i;
        }
        if (pick == parts.size()) break;
        std::vector<Weighted>& box = parts[pick];
        const int k = WidestChannel(box).first;
        std::stable_sort(box.begin(), box.end(), [k](const Weighted& a, const Weighted& b) { return a.C[k] < b.C[k]; });
        double total = 0;
        for (const Weighted& w : box) total += w.Count;
        double run = 0;
        size_t cut = 1;
        for (size_t i = 0; i + 1 < box.size(); ++i) {
            run += box[i].Count;
            cut = i + 1;
            if (run >= total / 2) break;
        }
        std::vector<Weighted> upper(box.begin() + static_cast<ptrdiff_t>(cut), box.end());
        box.resize(cut);
        parts.push_back(std::move(upper));
    }
    std::vector<std::array<double, 3>> centres;
    for (const auto& box : parts) centres.push_back(Mean(box));
    return centres;
}

}  // namespace

size_t CountColours(const std::vector<uint32_t>& pixels)
{
    std::vector<uint32_t> sorted(pixels);
    std::sort(sorted.begin(), sorted.end());
    return static_cast<size_t>(std::unique(sorted.begin(), sorted.end()) - sorted.begin());
}

void Quantise(std::vector<uint32_t>& pixels, size_t limit, const std::vector<uint32_t>& exact)
{
    if (CountColours(pixels) <= limit) return;
    std::map<uint32_t, double> histogram;
    std::vector<uint32_t> kept;  // magenta and the exact colours that occur
    for (uint32_t px : pixels) {
        const bool fixed = px == Magenta || std::find(exact.begin(), exact.end(), px) != exact.end();
        if (!fixed) {
            histogram[px] += 1;
        } else if (std::find(kept.begin(), kept.end(), px) == kept.end()) {
            kept.push_back(px);
        }
    }
    std::sort(kept.begin(), kept.end());
    const size_t free = limit > kept.size() ? limit - kept.size() : 0;

    std::vector<Weighted> colours;
    for (const auto& [px, n] : histogram) colours.push_back({Channels(px), n});
    std::vector<std::array<double, 3>> centres = MedianCut(colours, free);

    // Candidates for a colour: the free centres and the kept colours other than magenta.
    std::vector<std::array<double, 3>> fixedCentres;
    for (uint32_t px : kept)
        if (px != Magenta) fixedCentres.push_back(Channels(px));
    auto nearest = [&](const std::array<double, 3>& c) {
        size_t best = 0;
        double bestDistance = 1e18;
        for (size_t i = 0; i < centres.size() + fixedCentres.size(); ++i) {
            const auto& centre = i < centres.size() ? centres[i] : fixedCentres[i - centres.size()];
            const double d = Distance(c, centre);
            if (d < bestDistance) bestDistance = d, best = i;
        }
        return best;
    };
    for (int round = 0; round < 8; ++round) {
        std::vector<std::vector<Weighted>> members(centres.size());
        for (const Weighted& w : colours) {
            const size_t i = nearest(w.C);
            if (i < centres.size()) members[i].push_back(w);
        }
        for (size_t i = 0; i < centres.size(); ++i)
            if (!members[i].empty()) centres[i] = Mean(members[i]);
    }

    std::map<uint32_t, uint32_t> replacement;
    for (const Weighted& w : colours) {
        const size_t i = nearest(w.C);
        replacement[PixelOf(w.C)] = PixelOf(i < centres.size() ? centres[i] : fixedCentres[i - centres.size()]);
    }
    for (uint32_t& px : pixels) {
        auto it = replacement.find(px);
        if (it == replacement.end()) continue;
        uint32_t to = it->second;
        if (to == Magenta) to = 0xFE00FE;  // a centre that rounds to the key must not turn see-through
        px = to;
    }
}

}  // namespace art
