// Keys of the map services, read by google_map.html and baidu_map.html.
// Put your own key between the quotes and restart the player. Without a key
// the pages draw the track on a plain background instead of map tiles.
window.KELMORA_MAP_KEYS = {
    google: "",
    baidu: ""
};
