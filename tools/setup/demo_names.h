#pragma once
// What the demo data sets share: a seeded generator that gives the same
// numbers on every library, and the names their clients are made of.
#include <cstdint>
#include <utility>
#include <vector>

namespace lum::setup {

// A small generator of our own: std's distributions differ between libraries.
class DemoRandom {
public:
    explicit DemoRandom(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T>
    void shuffle(std::vector<T>& v) {
        for (int i = static_cast<int>(v.size()) - 1; i > 0; --i) std::swap(v[i], v[below(i + 1)]);
    }

private:
    std::uint64_t state_;
};

struct NamePart {
    const char16_t* kanji;
    const char16_t* kana;  // half-width katakana
};

inline constexpr NamePart kFamilies[] = {
    {u"佐藤", u"ｻﾄｳ"},     {u"鈴木", u"ｽｽﾞｷ"},   {u"高橋", u"ﾀｶﾊｼ"},   {u"田中", u"ﾀﾅｶ"},     {u"伊藤", u"ｲﾄｳ"},
    {u"渡辺", u"ﾜﾀﾅﾍﾞ"},   {u"山本", u"ﾔﾏﾓﾄ"},   {u"中村", u"ﾅｶﾑﾗ"},   {u"小林", u"ｺﾊﾞﾔｼ"},   {u"加藤", u"ｶﾄｳ"},
    {u"吉田", u"ﾖｼﾀﾞ"},    {u"山田", u"ﾔﾏﾀﾞ"},   {u"佐々木", u"ｻｻｷ"},  {u"山口", u"ﾔﾏｸﾞﾁ"},   {u"松本", u"ﾏﾂﾓﾄ"},
    {u"井上", u"ｲﾉｳｴ"},    {u"木村", u"ｷﾑﾗ"},    {u"林", u"ﾊﾔｼ"},      {u"斎藤", u"ｻｲﾄｳ"},    {u"清水", u"ｼﾐｽﾞ"},
    {u"山崎", u"ﾔﾏｻﾞｷ"},   {u"森", u"ﾓﾘ"},       {u"池田", u"ｲｹﾀﾞ"},   {u"橋本", u"ﾊｼﾓﾄ"},    {u"阿部", u"ｱﾍﾞ"},
    {u"石川", u"ｲｼｶﾜ"},    {u"前田", u"ﾏｴﾀﾞ"},   {u"藤田", u"ﾌｼﾞﾀ"},   {u"岡田", u"ｵｶﾀﾞ"},    {u"後藤", u"ｺﾞﾄｳ"},
};
inline constexpr NamePart kMen[] = {
    {u"茂", u"ｼｹﾞﾙ"},   {u"清", u"ｷﾖｼ"},     {u"勇", u"ｲｻﾑ"},     {u"実", u"ﾐﾉﾙ"},     {u"博", u"ﾋﾛｼ"},
    {u"正雄", u"ﾏｻｵ"},  {u"武", u"ﾀｹｼ"},     {u"進", u"ｽｽﾑ"},     {u"三郎", u"ｻﾌﾞﾛｳ"}, {u"昭", u"ｱｷﾗ"},
    {u"和夫", u"ｶｽﾞｵ"}, {u"一郎", u"ｲﾁﾛｳ"},  {u"健二", u"ｹﾝｼﾞ"},  {u"義雄", u"ﾖｼｵ"},   {u"利夫", u"ﾄｼｵ"},
};
inline constexpr NamePart kWomen[] = {
    {u"和子", u"ｶｽﾞｺ"},   {u"幸子", u"ｻﾁｺ"},   {u"節子", u"ｾﾂｺ"},   {u"久子", u"ﾋｻｺ"},   {u"洋子", u"ﾖｳｺ"},
    {u"美代子", u"ﾐﾖｺ"},  {u"文子", u"ﾌﾐｺ"},   {u"千代", u"ﾁﾖ"},    {u"ハナ", u"ﾊﾅ"},    {u"トミ", u"ﾄﾐ"},
    {u"静子", u"ｼｽﾞｺ"},   {u"京子", u"ｷｮｳｺ"},  {u"恵子", u"ｹｲｺ"},   {u"登美子", u"ﾄﾐｺ"}, {u"照子", u"ﾃﾙｺ"},
};

}  // namespace lum::setup
