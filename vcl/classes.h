#pragma once
// Persistent objects, the component model, lists, collections, streams and threads.
#include "vcl/system.h"

#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <vector>

namespace vcl {

using TNotifyEvent = TDelegate<void(TObject* Sender)>;
using TThreadMethod = TDelegate<void()>;

// ---------------------------------------------------------------------------------------------
// TPersistent: copying through Assign/AssignTo.

class TPersistent : public TObject {
    CL_CLASS(TPersistent, TObject)
public:
    // Copies Source into this object; classes that cannot take it raise EConvertError.
    virtual void Assign(TPersistent* Source);

protected:
    virtual void AssignTo(TPersistent* Dest);
    virtual TPersistent* GetOwner() { return nullptr; }
    [[noreturn]] void AssignError(TPersistent* Source);
};

// ---------------------------------------------------------------------------------------------
// TComponent: ownership, names, notifications.

enum class TOperation { opInsert, opRemove };

enum class TComponentStateItem { csLoading, csReading, csWriting, csDestroying, csDesigning, csUpdating };
using TComponentState = TSet<TComponentStateItem>;

class TComponent;
using TGetChildProc = TDelegate<void(TComponent* Child)>;

class TComponent : public TPersistent {
    CL_CLASS(TComponent, TPersistent)
public:
    // Stores the owner and joins its Components (creation order) without notifying anyone yet.
    explicit TComponent(TComponent* AOwner);

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const;
    // Position in the owner's Components; -1 without an owner.
    int ComponentIndex() const;

    const String& Name() const { return FName; }
    // An identifier (or empty) unique in the owner, compared without case; else EComponentError.
    virtual void SetName(const String& NewName);
    intptr_t Tag() const { return FTag; }
    void SetTag(intptr_t value) { FTag = value; }
    TComponentState ComponentState() const { return FComponentState; }

    // An owned component by name, without case; null when there is none.
    TComponent* FindComponent(const String& AName) const;

    // AComponent gets Notification(this, opRemove) when this component goes, and the other way round.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    // Frees the owned components, last to first.
    void DestroyComponents();
    // Marks this component and everything it owns as being destroyed.
    void Destroying();

    virtual void GetChildren(TGetChildProc Proc, TComponent* Root);

    // Notifies the owner's tree with opInsert once the object is complete.
    void AfterConstruction() override;
    // Destroying; opRemove to free-notification clients; owned components freed last to first;
    // leaves the owner, whose Notification(this, opRemove) reaches the remaining siblings.
    void BeforeDestruction() override;

    // Called by EndLoading after everything was created; clears csLoading.
    virtual void Loaded();
    virtual void Notification(TComponent* AComponent, TOperation Operation);

protected:
    ~TComponent() override;

    void RemoveFreeNotifications();
    // Points Field at Value and moves this component's free notification from the old component
    // to the new one, so that Notification can clear Field; false when Field held Value already.
    template<class T>
    bool ReplaceComponent(T*& Field, T* Value)
    {
        if (Field == Value)
            return false;
        if (Field)
            Field->RemoveFreeNotification(this);
        Field = Value;
        if (Value)
            Value->FreeNotification(this);
        return true;
    }
    void SetComponentState(TComponentState state) { FComponentState = state; }
    void ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName);

    TComponent* FOwner = nullptr;
    String FName;
    intptr_t FTag = 0;
    TComponentState FComponentState;

private:
    friend void BeginLoading(TComponent* Root);
    friend void EndLoading(TComponent* Root);

    void Insert(TComponent* AComponent);
    void Remove(TComponent* AComponent);

    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
};

// Loading a component tree built in code: BeginLoading sets csLoading|csReading on Root and on every
// component created on this thread until EndLoading; EndLoading clears csReading and calls Loaded on
// each created component in creation order, then on Root.
void BeginLoading(TComponent* Root);
void EndLoading(TComponent* Root);

bool IsValidIdent(const String& ident);

// ---------------------------------------------------------------------------------------------
// TList: a list of pointers. Indexes out of range raise EListError.

class TList : public TObject {
    CL_CLASS(TList, TObject)
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    void* Items(int index) const;
    void SetItems(int index, void* item);
    int Add(void* item);
    void Insert(int index, void* item);
    void Delete(int index);
    // Removes the first occurrence; its former index, or -1.
    int Remove(void* item);
    int IndexOf(void* item) const;
    void Clear();
    void Exchange(int index1, int index2);
    void Move(int curIndex, int newIndex);
    void* First() const { return Items(0); }
    void* Last() const { return Items(Count() - 1); }
    void Pack();
    void Sort(const std::function<int(void*, void*)>& compare);

private:
    void CheckIndex(int index, int count) const;
    std::vector<void*> FItems;
};

// ---------------------------------------------------------------------------------------------
// Strings

enum class TDuplicates { dupIgnore, dupAccept, dupError };
enum class TTextEncoding { Ansi, Utf8, Utf16 };

class TStream;

// A list of strings with an object per line. Descendants store the lines.
class TStrings : public TPersistent {
    CL_CLASS(TStrings, TPersistent)
public:
    virtual int Count() const = 0;
    String Strings(int index) const { return Get(index); }
    void SetStrings(int index, const String& s) { Put(index, s); }
    TObject* Objects(int index) const { return GetObject(index); }
    void SetObjects(int index, TObject* object) { PutObject(index, object); }

    virtual int Add(const String& s);
    virtual int AddObject(const String& s, TObject* object);
    virtual void Insert(int index, const String& s) = 0;
    void InsertObject(int index, const String& s, TObject* object);
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    virtual int IndexOf(const String& s) const;
    int IndexOfObject(TObject* object) const;
    void AddStrings(TStrings* strings);
    virtual void Exchange(int index1, int index2);
    void Move(int curIndex, int newIndex);
    void Assign(TPersistent* Source) override;
    bool Equals(TStrings* strings) const;

    // Every line followed by CR LF. Setting splits at CR LF, CR or LF.
    String Text() const;
    void SetText(const String& text);

    // "name=value" lines.
    String Names(int index) const;
    String ValueFromIndex(int index) const;
    String Values(const String& name) const;
    void SetValues(const String& name, const String& value);
    int IndexOfName(const String& name) const;

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    // Reads the text in the encoding its byte-order mark names, else in the ANSI code page;
    // saving writes the encoding that was read (ANSI for a new list).
    void LoadFromFile(const String& fileName);
    void LoadFromStream(TStream* stream);
    void SaveToFile(const String& fileName) const;
    void SaveToStream(TStream* stream) const;
    TTextEncoding Encoding() const { return FEncoding; }
    void SetEncoding(TTextEncoding encoding) { FEncoding = encoding; }

protected:
    virtual String Get(int index) const = 0;
    virtual void Put(int index, const String& s);
    virtual TObject* GetObject(int index) const;
    virtual void PutObject(int index, TObject* object);
    virtual void SetUpdateState(bool /*updating*/) {}
    virtual int CompareStrings(const String& a, const String& b) const;
    [[noreturn]] void Error(const String& message, int data) const;

private:
    int FUpdateCount = 0;
    TTextEncoding FEncoding = TTextEncoding::Ansi;
};

class TStringList;
using TStringListSortCompare = std::function<int(TStringList* List, int Index1, int Index2)>;

class TStringList : public TStrings {
    CL_CLASS(TStringList, TStrings)
public:
    TStringList() = default;
    ~TStringList() override;

    int Count() const override { return static_cast<int>(FList.size()); }
    int Add(const String& s) override;
    int AddObject(const String& s, TObject* object) override;
    void Insert(int index, const String& s) override;
    void Delete(int index) override;
    void Clear() override;
    void Exchange(int index1, int index2) override;
    int IndexOf(const String& s) const override;
    // Binary search of a sorted list: true when found; index is the match or the insertion point.
    bool Find(const String& s, int& index) const;
    void Sort();
    void CustomSort(const TStringListSortCompare& compare);

    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates value) { FDuplicates = value; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool value);
    // Objects are freed with the lines when set.
    bool OwnsObjects() const { return FOwnsObjects; }
    void SetOwnsObjects(bool value) { FOwnsObjects = value; }

    TNotifyEvent OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent value) { FOnChange = value; }
    TNotifyEvent OnChanging() const { return FOnChanging; }
    void SetOnChanging(TNotifyEvent value) { FOnChanging = value; }

protected:
    String Get(int index) const override;
    void Put(int index, const String& s) override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    void SetUpdateState(bool updating) override;
    int CompareStrings(const String& a, const String& b) const override;
    virtual void Changed();
    virtual void Changing();

private:
    struct Item {
        String Text;
        TObject* Object = nullptr;
    };
    void CheckIndex(int index, int count) const;
    void InsertItem(int index, const String& s, TObject* object);
    void FreeObject(TObject* object) const;

    std::vector<Item> FList;
    bool FSorted = false;
    TDuplicates FDuplicates = TDuplicates::dupIgnore;
    bool FCaseSensitive = false;
    bool FOwnsObjects = false;
    TNotifyEvent FOnChange;
    TNotifyEvent FOnChanging;
};

// ---------------------------------------------------------------------------------------------
// Collections: owned items of one class.

class TCollection;

class TCollectionItem : public TPersistent {
    CL_CLASS(TCollectionItem, TPersistent)
public:
    // Joins Collection (when given) at the end.
    explicit TCollectionItem(TCollection* Collection);
    ~TCollectionItem() override;

    TCollection* Collection() const { return FCollection; }
    void SetCollection(TCollection* value);
    int ID() const { return FID; }
    int Index() const;
    void SetIndex(int value);
    String DisplayName() const { return GetDisplayName(); }
    virtual void SetDisplayName(const String& value);

    // Tells the collection once the item is complete.
    void AfterConstruction() override;

protected:
    virtual String GetDisplayName() const;
    TPersistent* GetOwner() override;
    // Tells the collection: Update(this), or Update(nullptr) when AllItems.
    void Changed(bool AllItems);

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
    int FID = 0;
};

using TCollectionItemFactory = std::function<TCollectionItem*(TCollection*)>;

// The factory for items of class T, made with Create<T>(collection).
template<class T>
TCollectionItemFactory CollectionItemClass()
{
    return [](TCollection* collection) -> TCollectionItem* { return Create<T>(collection); };
}

class TCollection : public TPersistent {
    CL_CLASS(TCollection, TPersistent)
public:
    explicit TCollection(TCollectionItemFactory ItemClass);
    ~TCollection() override;

    int Count() const { return static_cast<int>(FItems.size()); }
    TCollectionItem* Items(int index) const;
    template<class T>
    T* ItemsAs(int index) const
    {
        return static_cast<T*>(Items(index));
    }
    TCollectionItem* Add();
    TCollectionItem* Insert(int index);
    void Delete(int index);
    void Clear();
    TCollectionItem* FindItemID(int ID) const;
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }
    // Clears, then adds one item per source item and assigns it.
    void Assign(TPersistent* Source) override;

protected:
    // An item changed (nullptr: all of them or the list); called outside BeginUpdate/EndUpdate only.
    virtual void Update(TCollectionItem* /*Item*/) {}
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* item);
    void RemoveItem(TCollectionItem* item);
    void CheckIndex(int index) const;

    TCollectionItemFactory FItemClass;
    std::vector<TCollectionItem*> FItems;
    int FNextID = 0;
    int FUpdateCount = 0;
};

// A collection whose GetOwner answers the given owner.
class TOwnedCollection : public TCollection {
    CL_CLASS(TOwnedCollection, TCollection)
public:
    TOwnedCollection(TPersistent* AOwner, TCollectionItemFactory ItemClass)
        : TCollection(std::move(ItemClass)), FOwner(AOwner)
    {
    }

protected:
    TPersistent* GetOwner() override { return FOwner; }

private:
    TPersistent* FOwner;
};

// ---------------------------------------------------------------------------------------------
// Streams

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
    CL_CLASS(TStream, TObject)
public:
    // Up to Count bytes; the number moved.
    virtual int64_t Read(void* Buffer, int64_t Count) = 0;
    virtual int64_t Write(const void* Buffer, int64_t Count) = 0;
    // The new position.
    virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;

    // Exactly Count bytes, else EReadError / EWriteError.
    void ReadBuffer(void* Buffer, int64_t Count);
    void WriteBuffer(const void* Buffer, int64_t Count);

    int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(int64_t value) { Seek(value, TSeekOrigin::soBeginning); }
    virtual int64_t Size();
    virtual void SetSize(int64_t NewSize);

    // Copies Count bytes from Source's position; Count 0 copies the whole Source from its start.
    int64_t CopyFrom(TStream* Source, int64_t Count);

    // A binary property: 0x0A, the length as 32-bit little endian, the bytes.
    void WriteBinaryProperty(const std::vector<uint8_t>& data);
    std::vector<uint8_t> ReadBinaryProperty();
};

// A stream over a system file handle it does not own.
class THandleStream : public TStream {
    CL_CLASS(THandleStream, TStream)
public:
    explicit THandleStream(HANDLE AHandle) : FHandle(AHandle) {}
    HANDLE Handle() const { return FHandle; }
    int64_t Read(void* Buffer, int64_t Count) override;
    int64_t Write(const void* Buffer, int64_t Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    void SetSize(int64_t NewSize) override;

protected:
    HANDLE FHandle;
};

constexpr Word fmCreate = 0xFF00;
constexpr Word fmOpenRead = 0x0000;
constexpr Word fmOpenWrite = 0x0001;
constexpr Word fmOpenReadWrite = 0x0002;
constexpr Word fmShareCompat = 0x0000;
constexpr Word fmShareExclusive = 0x0010;
constexpr Word fmShareDenyWrite = 0x0020;
constexpr Word fmShareDenyRead = 0x0030;
constexpr Word fmShareDenyNone = 0x0040;

// fmCreate (with share flags) creates or truncates, else EFCreateError; the fmOpen* modes open an
// existing file, else EFOpenError. Both messages name the file and the system's reason.
class TFileStream : public THandleStream {
    CL_CLASS(TFileStream, THandleStream)
public:
    TFileStream(const String& FileName, Word Mode);
    ~TFileStream() override;
    const String& FileName() const { return FFileName; }

private:
    String FFileName;
};

// A stream over a block of memory.
class TCustomMemoryStream : public TStream {
    CL_CLASS(TCustomMemoryStream, TStream)
public:
    int64_t Read(void* Buffer, int64_t Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    int64_t Size() override { return FSize; }
    void* Memory() const { return FMemory; }
    void SaveToStream(TStream* Stream);
    void SaveToFile(const String& FileName);

protected:
    void SetPointer(void* Ptr, int64_t Size);

    void* FMemory = nullptr;
    int64_t FSize = 0;
    int64_t FPosition = 0;
};

class TMemoryStream : public TCustomMemoryStream {
    CL_CLASS(TMemoryStream, TCustomMemoryStream)
public:
    int64_t Write(const void* Buffer, int64_t Count) override;
    void SetSize(int64_t NewSize) override;
    void Clear();
    void LoadFromStream(TStream* Stream);
    void LoadFromFile(const String& FileName);

private:
    std::vector<uint8_t> FData;
};

// A read-only stream over a resource of a module; a missing resource raises EResNotFound.
class TResourceStream : public TCustomMemoryStream {
    CL_CLASS(TResourceStream, TCustomMemoryStream)
public:
    TResourceStream(HINSTANCE Instance, const String& ResName, const wchar_t* ResType);
    TResourceStream(HINSTANCE Instance, int ResID, const wchar_t* ResType);
    int64_t Write(const void* Buffer, int64_t Count) override;

private:
    void Initialize(HINSTANCE Instance, const wchar_t* Name, const wchar_t* ResType, const String& displayName);
};

// ---------------------------------------------------------------------------------------------
// Threads

enum class TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

// A system thread running Execute. The thread is created suspended; AfterConstruction starts it
// unless CreateSuspended. Free (never delete) a thread: it requests termination, starts a thread
// that never ran (which then ends without entering Execute) and waits, serving Synchronize calls.
class TThread : public TObject {
    CL_CLASS(TThread, TObject)
public:
    explicit TThread(bool CreateSuspended);

    void AfterConstruction() override;
    void BeforeDestruction() override;

    // Starts a thread created suspended; a second start raises EThread.
    void Start();
    void Resume() { Start(); }
    bool Suspended() const { return !FStarted; }
    void Terminate() { FTerminated = true; }
    bool Terminated() const { return FTerminated; }
    bool Finished() const { return FFinished; }
    // Waits until Execute has returned; on the GUI thread it runs Synchronize calls meanwhile.
    uint32_t WaitFor();

    bool FreeOnTerminate() const { return FFreeOnTerminate; }
    void SetFreeOnTerminate(bool value) { FFreeOnTerminate = value; }
    TNotifyEvent OnTerminate() const { return FOnTerminate; }
    void SetOnTerminate(TNotifyEvent value) { FOnTerminate = value; }
    HANDLE Handle() const { return FHandle; }
    DWORD ThreadID() const { return FThreadID; }
    // The exception that ended Execute, if any.
    std::exception_ptr FatalException() const { return FFatalException; }
    uint32_t ReturnValue() const { return FReturnValue; }

    // Runs Method on the GUI thread and waits for it; its exception is raised again here.
    static void Synchronize(TThread* Thread, const TThreadMethod& Method);
    static void Sleep(int Milliseconds);
    // Names a thread for debuggers; threadId 0 names the calling thread.
    static void NameThreadForDebugging(const String& ThreadName, DWORD ThreadId = 0);

protected:
    ~TThread() override;

    virtual void Execute() = 0;
    // Runs OnTerminate through Synchronize.
    virtual void DoTerminate();
    void Synchronize(const TThreadMethod& Method) { Synchronize(this, Method); }
    void SetReturnValue(uint32_t value) { FReturnValue = value; }

private:
    static unsigned __stdcall ThreadProc(void* parameter);

    HANDLE FHandle = nullptr;
    DWORD FThreadID = 0;
    bool FCreateSuspended;
    bool FStarted = false;
    std::atomic<bool> FTerminated{false};
    std::atomic<bool> FFinished{false};
    bool FFreeOnTerminate = false;
    TNotifyEvent FOnTerminate;
    std::exception_ptr FFatalException;
    uint32_t FReturnValue = 0;
};

// The GUI thread: the thread that started the program.
DWORD MainThreadID();

// Runs the queued Synchronize calls in order on the GUI thread, waiting up to Timeout ms for the
// first one. True when it ran any. Raises EThread on another thread.
bool CheckSynchronize(int Timeout = 0);

// Called by Synchronize after queueing, so that the GUI thread serves the queue even in a modal
// loop; the windowing layer sets it (it posts CM_SYNCHRONIZE to its application window). The hook
// runs under the queue's lock and must not block; once SetWakeMainThread returns, no call of the
// previous hook is still running.
void SetWakeMainThread(TDelegate<void()> hook);

}  // namespace vcl
