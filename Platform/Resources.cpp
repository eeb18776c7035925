// The program's resources: the table embedded at build time, and those added
// at run time by tests.
#include <cstdlib>
#include <cstring>
#include <memory>
#include <unordered_set>
#include <vector>

#include "Platform/Backend.h"
#include "Platform/Handles.h"
#include "Platform/ResourceTable.h"
#include "Platform/Win32.h"

namespace platform {
namespace {

struct ResourceInfo {
    int m_iType = 0;
    int m_iId = 0;
    const unsigned char* m_pData = nullptr;
    size_t m_cbData = 0;
    std::unique_ptr<unsigned char[]> m_pOwned;  // only for added resources
};

struct ResourceState {
    std::vector<std::unique_ptr<ResourceInfo>> m_vEmbedded;
    std::vector<std::unique_ptr<ResourceInfo>> m_vAdded;
    std::unordered_set<const ResourceInfo*> m_setLive;
    HMODULE m_hModule = nullptr;
};

ResourceState& State() {
    static ResourceState s_state;
    if (s_state.m_vEmbedded.empty() && g_nEmbeddedResources > 0) {
        for (size_t i = 0; i < g_nEmbeddedResources; ++i) {
            const EmbeddedResource& res = g_aEmbeddedResources[i];
            auto pInfo = std::make_unique<ResourceInfo>();
            pInfo->m_iType = res.iType;
            pInfo->m_iId = res.iId;
            pInfo->m_pData = res.pBegin;
            pInfo->m_cbData = static_cast<size_t>(res.pEnd - res.pBegin);
            s_state.m_setLive.insert(pInfo.get());
            s_state.m_vEmbedded.push_back(std::move(pInfo));
        }
    }
    return s_state;
}

// An integer resource name, either MAKEINTRESOURCE(id) or the text "#id".
bool ParseId(LPCSTR lpName, int& iId) {
    if (!lpName) return false;
    if (IS_INTRESOURCE(lpName)) {
        iId = LOWORD(lpName);
        return true;
    }
    if (lpName[0] != '#' || lpName[1] == '\0') return false;
    long lValue = 0;
    for (const char* p = lpName + 1; *p; ++p) {
        if (*p < '0' || *p > '9') return false;
        lValue = lValue * 10 + (*p - '0');
        if (lValue > 0xFFFF) return false;
    }
    iId = static_cast<int>(lValue);
    return true;
}

const ResourceInfo* FindInfo(const std::vector<std::unique_ptr<ResourceInfo>>& vInfos, int iType, int iId) {
    for (const auto& pInfo : vInfos)
        if (pInfo->m_iType == iType && pInfo->m_iId == iId) return pInfo.get();
    return nullptr;
}

const ResourceInfo* LiveInfo(HRSRC hResInfo) {
    const ResourceInfo* pInfo = reinterpret_cast<const ResourceInfo*>(hResInfo);
    return State().m_setLive.count(pInfo) ? pInfo : nullptr;
}

bool IsOurModule(HMODULE hModule) { return !hModule || hModule == GetModuleHandle(nullptr); }

}  // namespace

void AddResource(int iType, int iId, const void* pData, size_t cbData) {
    ResourceState& state = State();
    for (auto it = state.m_vAdded.begin(); it != state.m_vAdded.end(); ++it) {
        if ((*it)->m_iType == iType && (*it)->m_iId == iId) {
            state.m_setLive.erase(it->get());
            state.m_vAdded.erase(it);
            break;
        }
    }
    auto pInfo = std::make_unique<ResourceInfo>();
    pInfo->m_iType = iType;
    pInfo->m_iId = iId;
    // One byte at least, so that even an empty resource has an address.
    pInfo->m_pOwned.reset(new unsigned char[cbData ? cbData : 1]());
    if (cbData && pData) std::memcpy(pInfo->m_pOwned.get(), pData, cbData);
    pInfo->m_pData = pInfo->m_pOwned.get();
    pInfo->m_cbData = pData ? cbData : 0;
    state.m_setLive.insert(pInfo.get());
    state.m_vAdded.push_back(std::move(pInfo));
}

void RemoveAddedResources() {
    ResourceState& state = State();
    for (const auto& pInfo : state.m_vAdded) state.m_setLive.erase(pInfo.get());
    state.m_vAdded.clear();
}

}  // namespace platform

using namespace platform;

HMODULE WINAPI GetModuleHandle(LPCSTR lpModuleName) {
    if (lpModuleName) return nullptr;
    ResourceState& state = State();
    if (!state.m_hModule) state.m_hModule = MakeHandle<HMODULE>(NextHandleValue());
    return state.m_hModule;
}

HRSRC WINAPI FindResource(HMODULE hModule, LPCSTR lpName, LPCSTR lpType) {
    int iId = 0, iType = 0;
    if (!IsOurModule(hModule) || !ParseId(lpName, iId) || !ParseId(lpType, iType)) return nullptr;
    ResourceState& state = State();
    const ResourceInfo* pInfo = FindInfo(state.m_vAdded, iType, iId);
    if (!pInfo) pInfo = FindInfo(state.m_vEmbedded, iType, iId);
    return reinterpret_cast<HRSRC>(const_cast<ResourceInfo*>(pInfo));
}

HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo) {
    const ResourceInfo* pInfo = LiveInfo(hResInfo);
    if (!IsOurModule(hModule) || !pInfo) return nullptr;
    return const_cast<unsigned char*>(pInfo->m_pData);
}

LPVOID WINAPI LockResource(HGLOBAL hResData) { return hResData; }

BOOL WINAPI FreeResource(HGLOBAL hResData) {
    // Resources stay mapped for the life of the program; the call is a no-op
    // and reports FALSE as the real one does.
    (void)hResData;
    return FALSE;
}

DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo) {
    const ResourceInfo* pInfo = LiveInfo(hResInfo);
    if (!IsOurModule(hModule) || !pInfo) return 0;
    return static_cast<DWORD>(pInfo->m_cbData);
}

bool platform::FindIconResource(int iIconId, const uint8_t*& pData, size_t& cbData) {
    HMODULE hModule = GetModuleHandle(nullptr);
    HRSRC hResource = FindResource(hModule, MAKEINTRESOURCE(iIconId), RT_GROUP_ICON);
    if (!hResource) return false;
    pData = static_cast<const uint8_t*>(LockResource(LoadResource(hModule, hResource)));
    cbData = SizeofResource(hModule, hResource);
    return pData != nullptr;
}
