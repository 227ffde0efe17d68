#pragma once
// The objects a facade owns (settings, maker array, toaster) are shared with its copies. Each
// object counts how many facades hold it; the last one to let go deletes it. An object held by
// one facade only is not counted at all, so a facade that is never copied costs nothing here.
// Facades live on the host's user-interface thread: the counts take no lock.

namespace holdings {

// One more facade holds object (null: nothing happens).
void Hold(const void* object);
// One facade lets go of object; true when no facade holds it any more, so it is to be deleted.
bool Release(const void* object);

// Lets go of an object or an array allocated with new[], deleting it when it was the last hold;
// the pointer is emptied in both cases.
template <class T>
void LetGo(T*& object) {
    if (holdings::Release(object)) delete object;
    object = nullptr;
}

template <class T>
void LetGoArray(T*& objects) {
    if (holdings::Release(objects)) delete[] objects;
    objects = nullptr;
}

}  // namespace holdings
