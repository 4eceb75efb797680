#pragma once

#include <map>
#include <memory>

namespace fw {

// The peers of one kind of a dialog's controls, by control id. Every backend
// makes them together with the dialog's controls, before the dialog is
// initialised, so looking a control up only finds.
template <typename Peer> using ControlPeerMap = std::map<int, std::unique_ptr<Peer>>;

// The peer with that id, or null.
template <typename Peer> Peer* FindControlPeer(const ControlPeerMap<Peer>& peers, int id) {
    const auto it = peers.find(id);
    return it == peers.end() ? nullptr : it->second.get();
}

} // namespace fw
