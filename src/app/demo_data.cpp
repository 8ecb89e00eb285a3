#include "app/demo_data.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <stdexcept>
#include <string>
#include <string_view>

#include "app/identity.h"
#include "app/random.h"
#include "app/schema.h"

namespace app {
namespace {

using host::Date;
using host::db::Value;

template <typename T>
struct Weighted {
    T value;
    unsigned weight;
};

template <typename T, std::size_t N>
const T& pick(Rng& rng, const std::array<Weighted<T>, N>& table) {
    unsigned total = 0;
    for (const auto& e : table) total += e.weight;
    auto r = static_cast<unsigned>(rng.below(total));
    for (const auto& e : table) {
        if (r < e.weight) return e.value;
        r -= e.weight;
    }
    return table.back().value;
}

template <typename T, std::size_t N>
const T& pick(Rng& rng, const std::array<T, N>& table) {
    return table[rng.below(N)];
}

// Surnames, roughly by how common they are.
constexpr std::array<Weighted<std::string_view>, 100> k_surnames{{
    {"王", 72},  {"李", 72},  {"张", 68}, {"刘", 54}, {"陈", 46}, {"杨", 32}, {"黄", 24},
    {"赵", 22},  {"吴", 20},  {"周", 20}, {"徐", 17}, {"孙", 15}, {"马", 15}, {"朱", 14},
    {"胡", 13},  {"郭", 12},  {"何", 12}, {"高", 11}, {"林", 11}, {"罗", 11}, {"郑", 10},
    {"梁", 10},  {"谢", 8},   {"宋", 8},  {"唐", 8},  {"许", 7},  {"韩", 7},  {"冯", 7},
    {"邓", 7},   {"曹", 7},   {"彭", 6},  {"曾", 6},  {"肖", 6},  {"田", 6},  {"董", 5},
    {"袁", 5},   {"潘", 5},   {"于", 5},  {"蒋", 5},  {"蔡", 5},  {"余", 5},  {"杜", 5},
    {"叶", 4},   {"程", 4},   {"苏", 4},  {"魏", 4},  {"吕", 4},  {"丁", 4},  {"任", 4},
    {"沈", 4},   {"姚", 4},   {"卢", 4},  {"姜", 3},  {"崔", 3},  {"钟", 3},  {"谭", 3},
    {"陆", 3},   {"汪", 3},   {"范", 3},  {"金", 3},  {"石", 3},  {"廖", 3},  {"贾", 3},
    {"夏", 3},   {"韦", 3},   {"付", 3},  {"方", 3},  {"白", 3},  {"邹", 3},  {"孟", 3},
    {"熊", 3},   {"秦", 3},   {"邱", 3},  {"江", 3},  {"尹", 3},  {"薛", 2},  {"闫", 2},
    {"段", 2},   {"雷", 2},   {"侯", 2},  {"龙", 2},  {"史", 2},  {"陶", 2},  {"黎", 2},
    {"贺", 2},   {"顾", 2},   {"毛", 2},  {"郝", 2},  {"龚", 2},  {"邵", 2},  {"万", 2},
    {"钱", 2},   {"严", 2},   {"武", 2},  {"戴", 2},  {"孔", 2},  {"汤", 2},  {"欧阳", 1},
    {"司马", 1}, {"诸葛", 1},
}};

constexpr std::array<std::string_view, 48> k_male_given{
    "伟", "强", "军", "勇", "杰", "涛", "明", "超", "刚", "平", "辉", "鹏", "华", "飞", "建", "国",
    "志", "文", "斌", "波", "宇", "浩", "磊", "峰", "林", "海", "东", "亮", "俊", "龙", "成", "德",
    "庆", "春", "生", "荣", "新", "兵", "光", "旭", "永", "健", "世", "忠", "福", "宏", "卫", "刚",
};
constexpr std::array<std::string_view, 48> k_female_given{
    "芳", "娜", "敏", "静", "丽", "艳", "娟", "霞", "秀", "玲", "桂", "英", "梅", "兰", "琴", "云",
    "莲", "红", "燕", "萍", "颖", "洁", "雪", "慧", "婷", "倩", "琳", "晶", "丹", "玉", "凤", "华",
    "珍", "芬", "淑", "蓉", "莉", "琼", "春", "霞", "佳", "欣", "悦", "彩", "素", "月", "小", "秋",
};

// Region codes (province, city, county) of the identity numbers.
constexpr std::array<unsigned, 31> k_regions{
    110101, 110102, 110105, 120101, 130102, 140105, 210102, 220102, 230102, 310101, 310104,
    320102, 320106, 330102, 330106, 340102, 350102, 360102, 370102, 410102, 420102, 420106,
    430102, 440103, 440106, 450102, 500103, 510104, 520102, 530102, 610103,
};

struct Title {
    std::string_view name;
    std::int64_t standard_m2;  // the housing standard of the grade, in square metres
};
constexpr std::array<Weighted<Title>, 20> k_titles{{
    {{"办事员", 60}, 6},      {{"科员", 70}, 14},       {{"副科长", 80}, 8},
    {{"科长", 90}, 6},        {{"副处长", 105}, 3},     {{"处长", 120}, 2},
    {{"技术员", 70}, 6},      {{"助理工程师", 80}, 6},  {{"工程师", 90}, 6},
    {{"高级工程师", 105}, 3}, {{"教员", 70}, 5},        {{"讲师", 90}, 4},
    {{"副教授", 105}, 2},     {{"教授", 120}, 1},       {{"护士", 70}, 4},
    {{"主治医师", 90}, 3},    {{"副主任医师", 105}, 2}, {{"工人", 60}, 10},
    {{"技师", 70}, 4},        {{"高级技师", 80}, 2},
}};

// Work units by kind; 分类编号 is the kind's two digits and the unit's two digits.
constexpr std::array<std::string_view, 14> k_offices{
    "财政局",     "教育局", "公安局", "人事局", "民政局", "卫生局",     "建设局",
    "地方税务局", "交通局", "审计局", "统计局", "文化局", "房产管理局", "劳动和社会保障局",
};
constexpr std::array<std::string_view, 12> k_institutions{
    "第一中学", "第二中学",   "实验小学",         "人民医院", "中医院",   "妇幼保健院",
    "图书馆",   "广播电视台", "疾病预防控制中心", "档案馆",   "师范学校", "职业技术学院",
};
constexpr std::array<std::string_view, 10> k_enterprises{
    "自来水公司", "供电公司", "公交公司", "燃气公司", "第一建筑工程公司",
    "粮食储备库", "机床厂",   "纺织厂",   "百货大楼", "邮政局",
};

struct District {
    std::string_view name;
    std::string_view short_name;  // as in the property-certificate numbers
};
constexpr std::array<District, 5> k_districts{{
    {"东城区", "东"},
    {"西城区", "西"},
    {"南湖区", "南"},
    {"北山区", "北"},
    {"开发区", "开"},
}};
constexpr std::array<std::string_view, 16> k_roads{
    "人民路", "解放路", "建设路", "中山路", "和平路", "胜利路", "文化路",   "新华路",
    "光明路", "朝阳路", "长江路", "黄河路", "青年路", "工农路", "张家湾路", "北京路",
};
constexpr std::array<std::string_view, 8> k_estates{
    "幸福小区", "阳光花园", "金桥小区", "翠苑小区", "教师新村", "机关宿舍", "电力新村", "锦绣家园",
};

struct Bank {
    std::string_view name;
    std::string_view card_prefix;
};
constexpr std::array<Weighted<Bank>, 8> k_banks{{
    {{"中国工商银行", "622202"}, 25},
    {{"中国建设银行", "621700"}, 22},
    {{"中国农业银行", "622848"}, 15},
    {{"中国银行", "621661"}, 12},
    {{"交通银行", "622262"}, 8},
    {{"中国邮政储蓄银行", "621799"}, 7},
    {{"招商银行", "622588"}, 6},
    {{"中信银行", "622690"}, 5},
}};

constexpr std::array<std::string_view, 6> k_remarks{
    "已调离", "补发差额", "待核实", "单位代缴", "已办理公积金贷款", "资料已复核",
};

constexpr Date k_first_birth{1935, 1, 1};
constexpr Date k_last_birth{1990, 12, 31};
constexpr Date k_first_spouse_birth{1928, 1, 1};
constexpr Date k_last_spouse_birth{1992, 12, 31};

// The date a person born on `birth` turns `years` (29 February -> 1 March).
Date birthday(const Date& birth, int years) {
    using namespace std::chrono;
    const year_month_day ymd{year{birth.year() + years}, month{birth.month()}, day{birth.day()}};
    if (ymd.ok()) return Date{ymd};
    return Date{birth.year() + years, 3, 1};
}

Date random_date(Rng& rng, const Date& first, const Date& last) {
    return Date::from_days(rng.between(first.days(), last.days()));
}

// Started work between the ages of 17 and 25, and no later than demo_as_of.
Date work_start(Rng& rng, const Date& birth) {
    const int age = static_cast<int>(rng.between(17, 25));
    const Date from = birthday(birth, age);
    const Date start =
        Date::from_days(rng.between(from.days(), birthday(birth, age + 1).days() - 1));
    if (start <= demo_as_of) return start;
    return random_date(rng, birthday(birth, 17), demo_as_of);
}

// The first day of the month after reaching retirement age, when that is by demo_as_of.
std::optional<Date> retirement(Rng& rng, const Date& birth, bool male) {
    const int age = male ? 60 : (rng.chance(300) ? 50 : 55);
    const Date reached = birthday(birth, age);
    const Date first = reached.month() == 12 ? Date{reached.year() + 1, 1, 1}
                                             : Date{reached.year(), reached.month() + 1, 1};
    if (first <= demo_as_of) return first;
    return std::nullopt;
}

struct Columns {
    std::size_t id, category_code, name, sex, birth, title, identity, unit, certificate, address,
        phone, work_start, retired, own_area, standard_area, shortfall, one_off, paid, monthly,
        subsidy_class, bank, account, s_name, s_identity, s_work_start, s_retired, s_unit, s_title,
        s_certificate, s_address, s_own_area, s_standard_area, remark;
};

const Columns& columns() {
    static const Columns c{
        column_index("编号"),
        column_index("分类编号"),
        column_index("姓名"),
        column_index("性别"),
        column_index("出生日期"),
        column_index("职务职称"),
        column_index("身份证号"),
        column_index("工作单位"),
        column_index("房产证号"),
        column_index("家庭住址"),
        column_index("联系电话"),
        column_index("参加工作时间"),
        column_index("离退休时间"),
        column_index("产权证面积"),
        column_index("核定面积"),
        column_index("未达标面积"),
        column_index("一次性领取额"),
        column_index("曾发金额"),
        column_index("月领取额"),
        column_index("领取补贴类别"),
        column_index("货币补贴开户行"),
        column_index("货币补贴账号"),
        column_index("姓名_配偶"),
        column_index("身份证号_配偶"),
        column_index("参加工作时间_配偶"),
        column_index("离退休时间_配偶"),
        column_index("工作单位_配偶"),
        column_index("职称_配偶"),
        column_index("房产证号_配偶"),
        column_index("家庭住址_配偶"),
        column_index("产权证面积_配偶"),
        column_index("核定面积_配偶"),
        column_index("备注"),
    };
    return c;
}

// The string held by v, emptied (its buffer kept when v already held a string).
std::string& text(Value& v) {
    if (auto* s = std::get_if<std::string>(&v)) {
        s->clear();
        return *s;
    }
    return v.emplace<std::string>();
}

void append_number(std::string& s, std::uint64_t value, int width) {
    char buf[20];
    int n = 0;
    do {
        buf[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0 || n < width);
    while (n > 0) s += buf[--n];
}

void random_digits(Rng& rng, std::string& s, int count) {
    for (int i = 0; i < count; ++i) s += static_cast<char>('0' + rng.below(10));
}

void person_name(Rng& rng, bool male, std::string& s) {
    s += pick(rng, k_surnames);
    const auto& given = male ? k_male_given : k_female_given;
    s += pick(rng, given);
    if (rng.chance(650)) s += pick(rng, given);
}

void identity(Rng& rng, const Date& birth, bool male, std::string& s) {
    const auto seq = static_cast<unsigned>(rng.below(500) * 2 + (male ? 1 : 0));
    char buf[18];
    format_identity(buf, pick(rng, k_regions), birth, seq);
    s.append(buf, sizeof buf);
}

// The unit's name into s, its 分类编号 into code.
void work_unit(Rng& rng, std::string& s, std::string& code) {
    const auto kind = rng.below(10);  // 4 in 10 government, 3 institutions, 3 enterprises
    if (kind < 7) {
        const bool office = kind < 4;
        const auto index = office ? rng.below(k_offices.size()) : rng.below(k_institutions.size());
        if (rng.chance(650)) {
            s += "市";
        } else {
            s += pick(rng, k_districts).name;
        }
        s += office ? k_offices[index] : k_institutions[index];
        append_number(code, office ? 1 : 2, 2);
        append_number(code, index + 1, 2);
    } else {
        const auto index = rng.below(k_enterprises.size());
        s += "市";
        s += k_enterprises[index];
        append_number(code, 3, 2);
        append_number(code, index + 1, 2);
    }
}

void address(Rng& rng, std::string& s) {
    s += pick(rng, k_districts).name;
    if (rng.chance(300)) {
        s += pick(rng, k_estates);
    } else {
        s += pick(rng, k_roads);
        append_number(s, 1 + rng.below(399), 0);
        s += "号";
    }
    append_number(s, 1 + rng.below(30), 0);
    s += "栋";
    if (rng.chance(700)) {
        append_number(s, 1 + rng.below(6), 0);
        s += "单元";
    }
    const auto floor = 1 + rng.below(18);
    append_number(s, floor * 100 + 1 + rng.below(4), 0);
    s += "室";
}

void certificate(Rng& rng, std::string& s) {
    s += "房权证";
    s += pick(rng, k_districts).short_name;
    s += "字第";
    append_number(s, rng.below(10'000'000), 7);
    s += "号";
}

void set_date(Value& v, const std::optional<Date>& d) {
    if (d) {
        v = *d;
    } else {
        v = std::monostate{};
    }
}

// Areas are kept in ten-thousandths of a square metre, amounts in cents, so that every
// figure is exact and the same everywhere.
constexpr std::int64_t k_m2 = 10'000;
double area(std::int64_t tenthousandths) {
    return static_cast<double>(tenthousandths) / 1e4;
}
double money(std::int64_t cents) {
    return static_cast<double>(cents) / 1e2;
}

std::int64_t per_mille_of(std::int64_t value, std::int64_t per_mille) {
    return value * per_mille / 1000;
}

}  // namespace

void DemoGenerator::fill(std::size_t index, std::vector<Value>& row) const {
    const Columns& c = columns();
    row.resize(baseinfo_columns().size());

    // Every record has its own stream, so that it depends on the seed and its number only.
    std::uint64_t key = m_seed;
    key = splitmix64(key) ^ index;
    Rng rng{splitmix64(key)};

    append_number(text(row[c.id]), index + 1, 8);

    // The employee.
    const bool male = rng.chance(550);
    const Date birth = random_date(rng, k_first_birth, k_last_birth);
    const Date started = work_start(rng, birth);
    const std::optional<Date> retired = retirement(rng, birth, male);
    person_name(rng, male, text(row[c.name]));
    text(row[c.sex]) = male ? "男" : "女";
    row[c.birth] = birth;
    identity(rng, birth, male, text(row[c.identity]));
    const Title& title = pick(rng, k_titles);
    text(row[c.title]) = title.name;
    work_unit(rng, text(row[c.unit]), text(row[c.category_code]));
    address(rng, text(row[c.address]));
    row[c.work_start] = started;
    set_date(row[c.retired], retired);

    const auto phone = rng.below(10);
    if (phone < 5) {
        auto& s = text(row[c.phone]);
        s += "1";
        s += static_cast<char>("358"[rng.below(3)]);
        random_digits(rng, s, 9);
    } else if (phone < 9) {
        auto& s = text(row[c.phone]);
        s += static_cast<char>('2' + rng.below(7));
        random_digits(rng, s, 7);
    } else {
        row[c.phone] = std::monostate{};
    }

    // The spouse: about three records in four; the others have an empty or a null name.
    const auto spouse_roll = rng.below(1000);
    const bool spouse = spouse_roll < 750;
    std::int64_t spouse_share = 0;  // of the couple's housing, in ten-thousandths
    if (spouse) {
        const bool s_male = !male;
        const std::int64_t gap = rng.between(-1500, 3000);  // the husband mostly older
        const Date s_birth = std::clamp(Date::from_days(birth.days() + (male ? gap : -gap)),
                                        k_first_spouse_birth, k_last_spouse_birth);
        person_name(rng, s_male, text(row[c.s_name]));
        identity(rng, s_birth, s_male, text(row[c.s_identity]));
        row[c.s_work_start] = work_start(rng, s_birth);
        set_date(row[c.s_retired], retirement(rng, s_birth, s_male));
        std::string code;  // the spouse's 分类编号 is not kept
        work_unit(rng, text(row[c.s_unit]), code);
        const Title& s_title = pick(rng, k_titles);
        text(row[c.s_title]) = s_title.name;
        if (rng.chance(850)) {
            text(row[c.s_address]) = std::get<std::string>(row[c.address]);
        } else {
            address(rng, text(row[c.s_address]));
        }
        row[c.s_standard_area] = area(s_title.standard_m2 * k_m2);
    } else {
        // Both kinds of "no spouse" are in the old data: empty strings and nulls.
        const bool empty = spouse_roll < 875;
        for (const auto col : {c.s_name, c.s_identity, c.s_unit, c.s_title, c.s_address}) {
            if (empty) {
                text(row[col]);
            } else {
                row[col] = std::monostate{};
            }
        }
        row[c.s_work_start] = std::monostate{};
        row[c.s_retired] = std::monostate{};
        row[c.s_standard_area] = std::monostate{};
    }

    // Category: first letter from the dates, second from the housing.
    const char first = retired ? 'T' : (started >= demo_new_employee_from ? 'N' : 'Z');
    const auto housing_roll = rng.below(100);
    const char second = housing_roll < 20 ? 'Y' : (housing_roll < 70 ? 'W' : 'N');
    {
        auto& s = text(row[c.subsidy_class]);
        s += first;
        s += second;
    }

    // Areas.
    std::int64_t standard = title.standard_m2 * k_m2;
    // A few standards adjusted by up to 5 m², in half metres.
    if (rng.chance(150)) standard += rng.between(-10, 10) * k_m2 / 2;
    std::int64_t housed = 0;  // the couple's certified area
    if (second == 'Y') {
        housed = standard + rng.between(0, 40 * k_m2);
        if (rng.chance(300)) housed = (housed + k_m2 - 1) / k_m2 * k_m2;
    } else if (second == 'W') {
        housed = per_mille_of(standard, rng.between(200, 950));
        if (rng.chance(300)) housed = housed / k_m2 * k_m2;
    }
    if (spouse && housed > 0 && rng.chance(250))
        spouse_share = per_mille_of(housed, rng.between(300, 700));
    const std::int64_t own = housed - spouse_share;
    const std::int64_t shortfall = std::max<std::int64_t>(0, standard - housed);
    row[c.standard_area] = area(standard);
    row[c.own_area] = area(own);
    row[c.shortfall] = area(shortfall);
    if (own > 0) {
        certificate(rng, text(row[c.certificate]));
    } else {
        row[c.certificate] = std::monostate{};
    }
    if (spouse) {
        row[c.s_own_area] = area(spouse_share);
        if (spouse_share > 0) {
            certificate(rng, text(row[c.s_certificate]));
        } else {
            row[c.s_certificate] = std::monostate{};
        }
    } else {
        row[c.s_own_area] = std::monostate{};
        if (std::holds_alternative<std::string>(row[c.s_name])) {
            text(row[c.s_certificate]);
        } else {
            row[c.s_certificate] = std::monostate{};
        }
    }

    // Amounts.
    std::int64_t one_off = 0;
    std::int64_t monthly = 0;
    if (second != 'Y') {
        bool pays_monthly = first == 'N';
        if (first == 'Z') pays_monthly = rng.chance(500);
        if (!pays_monthly || (first == 'Z' && rng.chance(400))) {
            one_off = shortfall * rng.between(350, 900) / 100;  // yuan per m² -> cents
            if (rng.chance(300)) one_off = std::max<std::int64_t>(100, one_off / 100 * 100);
        }
        if (pays_monthly) {
            monthly = std::max<std::int64_t>(100, shortfall * rng.between(300, 1200) / k_m2);
            if (rng.chance(300)) monthly = std::max<std::int64_t>(100, monthly / 100 * 100);
        }
    }
    std::int64_t paid = 0;
    if (monthly > 0 && rng.chance(600)) {
        paid = monthly * rng.between(1, 96);
    } else if (one_off > 0 && rng.chance(350)) {
        paid = per_mille_of(one_off, rng.between(100, 1000));
    }
    row[c.one_off] = money(one_off);
    row[c.monthly] = money(monthly);
    row[c.paid] = money(paid);

    // Bank: a few records have none yet.
    if (rng.chance(40)) {
        row[c.bank] = std::monostate{};
        row[c.account] = std::monostate{};
    } else {
        const Bank& bank = pick(rng, k_banks);
        text(row[c.bank]) = bank.name;
        auto& s = text(row[c.account]);
        s += bank.card_prefix;
        random_digits(rng, s, 13);
    }

    const auto remark = rng.below(100);
    if (remark < 85) {
        row[c.remark] = std::monostate{};
    } else if (remark < 95) {
        text(row[c.remark]);
    } else {
        text(row[c.remark]) = pick(rng, k_remarks);
    }
}

void generate_demo(host::db::Connection& conn, const DemoOptions& options) {
    const auto backend = backend_of(conn);
    conn.execute(create_table_sql(backend));

    bool has_rows = false;
    {
        auto rows = conn.select("SELECT 1 FROM " + std::string(baseinfo_table) + " LIMIT 1");
        std::vector<Value> out;
        has_rows = rows->fetch(out, 1) > 0;
    }
    if (has_rows) {
        if (!options.replace_existing) {
            throw TableNotEmpty(std::string(baseinfo_table) +
                                " already holds records; not adding demo records to them");
        }
        conn.execute("DELETE FROM " + std::string(baseinfo_table));
    }

    std::vector<std::string> names;
    for (const auto& col : baseinfo_columns()) names.emplace_back(col.name);

    // Loading before indexing is much faster than keeping the indexes up to date row by row.
    {
        auto loader = conn.bulk_load(baseinfo_table, names);
        const DemoGenerator gen{options.seed};
        std::vector<Value> row;
        const std::size_t step = std::max<std::size_t>(1, options.progress_every);
        for (std::size_t i = 0; i < options.records; ++i) {
            gen.fill(i, row);
            loader->add_row(row);
            if (options.progress && (i + 1) % step == 0 && i + 1 != options.records) {
                options.progress(i + 1, options.records);
            }
        }
        loader->finish();
    }
    conn.execute(create_indexes_sql());
    if (options.progress) options.progress(options.records, options.records);
}

}  // namespace app
