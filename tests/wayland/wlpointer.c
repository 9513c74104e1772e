/* wlpointer: a pointer for a Wayland compositor that has none (a headless sway), made
   with the wlr virtual pointer protocol. Reads commands, one a line, from stdin:
     move X Y     the pointer to X, Y of the output
     down [B]     press button B (left: 272, the default; right: 273; middle: 274)
     up [B]       release it
     sleep MS
   usage: wlpointer OUTPUT_WIDTH OUTPUT_HEIGHT */
#include <wayland-client.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

/* The protocol's interfaces, as its description gives their requests. */
static const struct wl_interface virtual_pointer_interface;
static const struct wl_interface *scalars[8];
static const struct wl_interface *create_types[] = {&wl_seat_interface, &virtual_pointer_interface};

static const struct wl_message pointer_requests[] = {
    {"motion", "uff", scalars},         {"motion_absolute", "uuuuu", scalars}, {"button", "uuu", scalars},
    {"axis", "uuf", scalars},           {"frame", "", scalars},                {"axis_source", "u", scalars},
    {"axis_stop", "uu", scalars},       {"axis_discrete", "uufi", scalars},    {"destroy", "", scalars},
};
static const struct wl_interface virtual_pointer_interface = {"zwlr_virtual_pointer_v1", 1, 9, pointer_requests, 0, NULL};
static const struct wl_message manager_requests[] = {{"create_virtual_pointer", "?on", create_types}};
static const struct wl_interface manager_interface = {"zwlr_virtual_pointer_manager_v1", 1, 1, manager_requests, 0, NULL};

enum { Motion = 0, MotionAbsolute = 1, Button = 2, Frame = 4 };

static struct wl_proxy *manager;
static struct wl_seat *seat;

static void global(void *data, struct wl_registry *registry, uint32_t name, const char *interface, uint32_t version)
{
    (void)data;
    (void)version;
    if (strcmp(interface, manager_interface.name) == 0)
        manager = wl_registry_bind(registry, name, &manager_interface, 1);
    else if (strcmp(interface, "wl_seat") == 0 && !seat)
        seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
}
static void global_remove(void *data, struct wl_registry *registry, uint32_t name)
{
    (void)data;
    (void)registry;
    (void)name;
}
static const struct wl_registry_listener registry_listener = {global, global_remove};

static uint32_t now_ms(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (uint32_t)(t.tv_sec * 1000 + t.tv_nsec / 1000000);
}

int main(int argc, char **argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: wlpointer OUTPUT_WIDTH OUTPUT_HEIGHT\n");
        return 2;
    }
    const uint32_t width = (uint32_t)atoi(argv[1]), height = (uint32_t)atoi(argv[2]);
    struct wl_display *display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "wlpointer: no Wayland display\n");
        return 1;
    }
    struct wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registry_listener, NULL);
    wl_display_roundtrip(display);
    if (!manager) {
        fprintf(stderr, "wlpointer: the compositor has no virtual pointers\n");
        return 1;
    }
    struct wl_proxy *pointer =
        wl_proxy_marshal_constructor(manager, 0, &virtual_pointer_interface, seat, NULL);
    wl_display_roundtrip(display);
    printf("ready\n");
    fflush(stdout);

    char line[256];
    while (fgets(line, sizeof line, stdin)) {
        unsigned a = 0, b = 0;
        if (sscanf(line, "move %u %u", &a, &b) == 2) {
            wl_proxy_marshal(pointer, MotionAbsolute, now_ms(), a, b, width, height);
            wl_proxy_marshal(pointer, Frame);
        } else if (strncmp(line, "down", 4) == 0 || strncmp(line, "up", 2) == 0) {
            const int down = line[0] == 'd';
            unsigned button = 272;
            sscanf(line + (down ? 4 : 2), "%u", &button);
            wl_proxy_marshal(pointer, Button, now_ms(), button, down ? 1u : 0u);
            wl_proxy_marshal(pointer, Frame);
        } else if (sscanf(line, "sleep %u", &a) == 1) {
            usleep(a * 1000);
        } else if (line[0] != '\n') {
            fprintf(stderr, "wlpointer: what is %s", line);
        }
        if (wl_display_roundtrip(display) < 0) {
            fprintf(stderr, "wlpointer: the compositor went away\n");
            return 1;
        }
        printf("done\n");
        fflush(stdout);
    }
    wl_display_disconnect(display);
    return 0;
}
