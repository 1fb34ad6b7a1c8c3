# Plays the web build (the folder given) in headless Chromium at a desktop's and a phone's page size, every wait bounded.
import base64, contextlib, io, itertools, json, os, subprocess, sys, tempfile, time, urllib.request, websocket, PIL.Image

class Page:  # one tab; every answer is awaited at most 20 s, uncaught errors are kept
    def __init__(self, url):
        self.socket, self.count, self.errors = websocket.create_connection(url, timeout=20), 0, []
    def call(self, method, **params):
        self.count += 1
        self.socket.send(json.dumps({'id': self.count, 'method': method, 'params': params}))
        while (message := json.loads(self.socket.recv())).get('id') != self.count:
            self.errors += [message['params']['exceptionDetails']] if message.get('method') == 'Runtime.exceptionThrown' else []
        if 'error' in message: raise RuntimeError(f"{method}: {message['error']}")
        return message['result']
    def js(self, expression): return self.call('Runtime.evaluate', expression=expression, returnByValue=True)['result'].get('value')
    def wait(self, expression, seconds=30):
        deadline = time.monotonic() + seconds
        while not self.js(expression) and time.monotonic() < deadline: time.sleep(0.05)
        return self.js(expression)
    def open(self, site, width, height, scale=1, mobile=False):  # until the game has started
        self.call('Emulation.setDeviceMetricsOverride', width=width, height=height, deviceScaleFactor=scale, mobile=mobile)
        self.call('Page.navigate', url=site)
        return self.wait('window.frames_ > 0 && document.getElementById("status").hidden')
    def shot(self): return PIL.Image.open(io.BytesIO(base64.b64decode(self.call('Page.captureScreenshot')['data']))).convert('RGB')

@contextlib.contextmanager
def browser(folder):  # the folder served on 127.0.0.1 and a tab of a fresh headless Chromium
    with tempfile.TemporaryDirectory() as profile:
        server = subprocess.Popen([sys.executable, '-u', '-m', 'http.server', '-b', '127.0.0.1', '-d', folder, '0'], text=True,
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        chromium = subprocess.Popen(['chromium', '--headless=new', '--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--no-sandbox',
            '--disable-background-networking', '--disable-component-update', '--disable-sync', '--no-first-run',
            '--remote-debugging-port=0', '--user-data-dir=' + profile], stderr=subprocess.DEVNULL)
        try:
            site = 'http://127.0.0.1:' + server.stdout.readline().split(' port ')[1].split()[0] + '/'
            port, deadline = os.path.join(profile, 'DevToolsActivePort'), time.monotonic() + 30
            while not os.path.exists(port) and time.monotonic() < deadline: time.sleep(0.1)
            tabs = json.load(urllib.request.urlopen(f'http://127.0.0.1:{open(port).readline().strip()}/json/list', timeout=10))
            page = Page(next(tab for tab in tabs if tab['type'] == 'page')['webSocketDebuggerUrl'])
            page.call('Runtime.enable'), page.call('Page.enable'), page.call('Emulation.setTouchEmulationEnabled', enabled=True)
            page.call('Page.addScriptToEvaluateOnNewDocument', source='''window.frames_ = 0; // counted where the game clears
                const clear = WebGLRenderingContext.prototype.clear; WebGLRenderingContext.prototype.clear = function (bits) {
                    if (window.frames_++ === 0) window.firstFrame_ = performance.now(); return clear.call(this, bits); };''')
            yield page, site
        finally:
            for process in (chromium, server): process.kill(), process.wait(10)

def play(page, site, width, height, scale=1, mobile=False):  # checks one page size; yields (passed, what)
    size = f'{width}x{height}' + (' (phone, touch)' if mobile else '')
    yield page.open(site, width, height, scale, mobile) and page.js('document.title') == 'Orbicascade', \
        f'{size}: the game starts, its caption the page title'
    box = page.js('(({left, top, width, height}) => ({left, top, width, height}))(canvas.getBoundingClientRect())')
    fits = box['left'] >= 0 and box['left'] + box['width'] <= width and box['top'] + box['height'] <= height
    fills = abs(box['width'] * 3 - box['height'] * 4) < 1 and (box['width'] > 0.99 * width or box['height'] > 0.7 * height)
    yield fits and fills, f'{size}: a 4:3 canvas fills the window: {box}'
    at = lambda x, y: (box['left'] + x * box['width'] / 640, box['top'] + y * box['height'] / 480)  # in page pixels
    view = lambda: page.shot().crop([round(c * scale) for c in at(0, 0) + at(640, 480)]).resize((640, 480), PIL.Image.BILINEAR)
    lit = lambda image, area: image.crop(area).convert('L').point(lambda v: 255 if v > 40 else 0)  # drawn or not
    shots = [view() for i in range(8) if not time.sleep(0.4 if i else 3)]  # after three launches
    (r, g, b), hud = shots[0].getpixel((320, 238)), [sum(r < 100 and b > 150 for r, g, b in shots[0].crop(
        (0, y, 240, y + 40)).getdata()) for y in (10, 390)]  # the display's blue lines, top and bottom
    yield r > 150 and g > 150 and b < 120 and min(hud) > 40, f'{size}: the yellow nucleus at the centre {(r, g, b)}, the display {hud}'
    field = [lit(shot, (0, 60, 640, 380)).tobytes() for shot in shots]  # between the display's two lines
    sides = [[lit(shot, area).getbbox() for shot in shots] for area in ((0, 60, 280, 380), (360, 60, 640, 380))]
    yield all(field[i] != field[i + 1] for i in range(7)) and any(sides[0]) and any(sides[1]), \
        f'{size}: spheres move in every shot, launched on the left and swinging around to the right'
    for (x, y), how in (((560, 84), 'click'), ((586.5, 430.25), 'tap')):
        near = (int(x) - 14, int(y) - 14, int(x) + 15, int(y) + 15)
        before = lit(view(), near).getbbox()
        for kind in ('mousePressed', 'mouseReleased') if how == 'click' else ():
            page.call('Input.dispatchMouseEvent', type=kind, x=at(x, y)[0], y=at(x, y)[1], button='left', clickCount=1)
        for kind, points in (('touchStart', [dict(zip('xy', at(x, y)))]), ('touchEnd', [])) if how == 'tap' else ():
            page.call('Input.dispatchTouchEvent', type=kind, touchPoints=points)
        time.sleep(0.3)
        mask = lit(view(), near)
        stopper = [(i % mask.width, i // mask.width) for i, v in enumerate(mask.getdata()) if v]
        centre = [near[k] + 0.5 + sum(c) / max(1, len(stopper)) for k, c in enumerate(zip(*stopper))] or [0, 0]
        yield not before and 150 < len(stopper) < 300 and abs(centre[0] - x) <= 2 and abs(centre[1] - y) <= 2, \
            f'{size}: a {how} at {(x, y)} drops a stopper there: centre {centre}, {len(stopper)} pixels'
    page.call('Input.dispatchKeyEvent', type='keyDown', key='Escape', code='Escape', windowsVirtualKeyCode=27)
    ended, frames = page.wait('document.getElementById("status").textContent.includes("ended")', 5), page.js('frames_')
    yield ended and not time.sleep(0.5) and frames == page.js('frames_'), f'{size}: Escape ends the game and the page says so'
    yield not page.errors, f'{size}: no uncaught error: {page.errors}'

if __name__ == '__main__':
    counts = [0, 0]  # passed, failed; each check printed as it is made
    with browser(sys.argv[1]) as (page, site):
        for passed, what in itertools.chain(play(page, site, 1024, 768), play(page, site, 390, 844, 2, True)):
            counts[not passed] += 1
            print(('ok     ' if passed else 'FAILED ') + what, flush=True)
    print(f'{counts[0]} passed, {counts[1]} failed')
    sys.exit(1 if counts[1] else 0)
