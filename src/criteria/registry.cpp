#include "criteria/registry.h"

#include <functional>
#include <map>

#include "criteria/containers.h"

namespace criteria {

namespace {

using Factory = std::function<std::unique_ptr<host::UserObject>()>;

template <class T>
std::pair<const std::string_view, Factory> entry(std::string_view name) {
    return {name, [] { return std::make_unique<T>(); }};
}

const std::map<std::string_view, Factory>& panels() {
    static const std::map<std::string_view, Factory> m{
        entry<uo_05_search_jbxx_name>("uo_05_search_jbxx_name"),
        entry<uo_05_search_jbxx_gzdw>("uo_05_search_jbxx_gzdw"),
        entry<uo_05_search_jbxx_sfzh>("uo_05_search_jbxx_sfzh"),
        entry<uo_05_search_jbxx_fczh>("uo_05_search_jbxx_fczh"),
        entry<uo_05_search_jbxx_jtzz>("uo_05_search_jbxx_jtzz"),
        entry<uo_05_search_jbxx_flbh>("uo_05_search_jbxx_flbh"),
        entry<uo_05_search_jbxx_name_po>("uo_05_search_jbxx_name_po"),
        entry<uo_05_search_jbxx_sfzh_po>("uo_05_search_jbxx_sfzh_po"),
        entry<uo_05_search_jbxx_jtzz_po>("uo_05_search_jbxx_jtzz_po"),
        entry<uo_05_search_jbxx_gzdw_po>("uo_05_search_jbxx_gzdw_po"),
        entry<uo_05_search_jbxx_fczh_po>("uo_05_search_jbxx_fczh_po"),
        entry<uo_05_search_jbxx_khh>("uo_05_search_jbxx_khh"),
        entry<uo_05_search_jbxx_zfcqzmj>("uo_05_search_jbxx_zfcqzmj"),
        entry<uo_05_search_jbxx_jzmjytjgt>("uo_05_search_jbxx_jzmjytjgt"),
        entry<uo_05_search_jbxx_zfcqzmj_po>("uo_05_search_jbxx_zfcqzmj_po"),
        entry<uo_05_search_jbxx_jzmjytjgt_po>("uo_05_search_jbxx_jzmjytjgt_po"),
        entry<uo_05_search_jbxx_gzsj>("uo_05_search_jbxx_gzsj"),
        entry<uo_05_search_jbxx_txsj>("uo_05_search_jbxx_txsj"),
        entry<uo_05_search_jbxx_gzsj_po>("uo_05_search_jbxx_gzsj_po"),
        entry<uo_05_search_jbxx_txsj_po>("uo_05_search_jbxx_txsj_po"),
        entry<uo_05_search_jbxx_fflb>("uo_05_search_jbxx_fflb"),
        entry<uo_05_search_jbxx_sblb>("uo_05_search_jbxx_sblb"),
        entry<uo_05_search_jbxx_zflb>("uo_05_search_jbxx_zflb"),
        entry<uo_05_search_jbxx_zglb>("uo_05_search_jbxx_zglb"),
    };
    return m;
}

const std::map<std::string_view, Factory>& containers() {
    static const std::map<std::string_view, Factory> m{
        entry<uo_05_search_jbxx_all>("uo_05_search_jbxx_all"),
        entry<uo_05_search_jbxx_all_po>("uo_05_search_jbxx_all_po"),
    };
    return m;
}

std::vector<std::string_view> keys(const std::map<std::string_view, Factory>& m) {
    std::vector<std::string_view> out;
    for (const auto& [k, v] : m) out.push_back(k);
    return out;
}

}  // namespace

std::unique_ptr<host::UserObject> create_object(std::string_view class_name) {
    if (auto it = panels().find(class_name); it != panels().end()) return it->second();
    if (auto it = containers().find(class_name); it != containers().end()) return it->second();
    return nullptr;
}

const std::vector<std::string_view>& panel_class_names() {
    static const auto names = keys(panels());
    return names;
}

const std::vector<std::string_view>& container_class_names() {
    static const auto names = keys(containers());
    return names;
}

}  // namespace criteria
