#pragma once
// What the tests of the provider's window messages share: a spy behind the provider, where the
// form's own procedure takes what the provider hands on.
#include "ProviderFixtures.h"

namespace skintest {

// Put between a provider and the form's own procedure for its lifetime.
class TBehindSpy {
public:
    explicit TBehindSpy(skin::TsSkinProvider* Provider) : FProvider(Provider), FInner(Provider->OldWndProc)
    {
        Provider->OldWndProc = vcl::TWndMethod(this, &TBehindSpy::Receive);
    }
    ~TBehindSpy() { FProvider->OldWndProc = FInner; }
    TBehindSpy(const TBehindSpy&) = delete;
    TBehindSpy& operator=(const TBehindSpy&) = delete;

    int Count(UINT Msg) const { return int(std::count(Seen.begin(), Seen.end(), Msg)); }
    std::vector<UINT> Seen;

private:
    void Receive(vcl::TMessage& Message)
    {
        Seen.push_back(Message.Msg);
        FInner(Message);
    }
    skin::TsSkinProvider* FProvider;
    vcl::TWndMethod FInner;
};

}  // namespace skintest
