// The interactive view of a network and its branches. The tool has laid
// everything out: positions are picture units, one path per branch, labels
// sorted into zoom levels. The page only looks things up in the table and
// moves the view box.
"use strict";
window.onerror = function (message) {
  document.documentElement.setAttribute("data-error", String(message));
  const banner = document.getElementById("error");
  if (banner) {
    banner.hidden = false;
    banner.textContent = "Script error: " + message;
  }
};

(function () {
  const D = JSON.parse(document.getElementById("data").textContent);
  const N = D.nodes, L = D.links, P = D.pumps, B = D.branches;
  const svg = document.getElementById("map");
  const main = document.querySelector("main");
  const info = document.getElementById("info");
  const hits = document.getElementById("hits");
  const q = document.getElementById("q");
  const hl = document.getElementById("hl");
  const labelGroups = Array.from(svg.querySelectorAll("g.labels"));
  const NODE_TYPES = { 0: "manhole", 1: "outfall", 2: "storage node", 4: "pump node" };
  const LINK_TYPES = { 0: "pipe", 3: "control link", 5: "orifice", 6: "weir", 7: "pressure main", 8: "outlet link" };
  const NODE_ROLES = ["", "outlet", "converted to an outlet", "outfall without links, set aside",
    "isolated: no outlet reaches it", "end of a pump link the parser could not number"];
  const LINK_ROLES = ["on a branch", "on a loop branch", "isolated: no outlet reaches it", "on no branch"];

  // --- Look-up tables: IDs and names to positions in the table.
  function indexBy(values) {
    const map = new Map();
    values.forEach((v, i) => { if (!map.has(v)) map.set(v, i); });
    return map;
  }
  const nodeById = indexBy(N.id), linkById = indexBy(L.id), pumpById = indexBy(P.id);
  const branchByNumber = indexBy(B.number);
  const byName = new Map();  // lower-case name -> [{what, i}]
  function addNames(names, what) {
    if (!names) return;
    names.forEach((name, i) => {
      const key = name.toLowerCase();
      if (!byName.has(key)) byName.set(key, []);
      byName.get(key).push({ what: what, i: i });
    });
  }
  addNames(N.name, "node");
  addNames(L.name, "link");
  addNames(P.name, "pump");

  // --- Hit testing: nodes and link segments in a uniform grid of cells.
  const items = N.id.length + L.id.length + P.id.length;
  const cell = Math.max(Math.sqrt((D.width * D.height) / Math.max(items, 1)) * 1.5, 1);
  const columns = Math.ceil(D.width / cell) + 1;
  const grid = new Map();
  function put(cx, cy, entry) {
    const key = cy * columns + cx;
    let list = grid.get(key);
    if (!list) grid.set(key, (list = []));
    list.push(entry);
  }
  N.x.forEach((x, i) => put(Math.floor(x / cell), Math.floor(N.y[i] / cell), { node: i }));
  function putSegment(a, b, entry) {
    if (a < 0 || b < 0) return;
    // Every cell the segment crosses, walked from a to b.
    let x = N.x[a] / cell, y = N.y[a] / cell;
    const x1 = N.x[b] / cell, y1 = N.y[b] / cell;
    let cx = Math.floor(x), cy = Math.floor(y);
    const ex = Math.floor(x1), ey = Math.floor(y1);
    const dx = x1 - x, dy = y1 - y, sx = Math.sign(dx), sy = Math.sign(dy);
    const tdx = sx ? Math.abs(1 / dx) : Infinity, tdy = sy ? Math.abs(1 / dy) : Infinity;
    let tx = sx ? (sx > 0 ? cx + 1 - x : x - cx) * tdx : Infinity;
    let ty = sy ? (sy > 0 ? cy + 1 - y : y - cy) * tdy : Infinity;
    put(cx, cy, entry);
    for (let steps = Math.abs(ex - cx) + Math.abs(ey - cy); steps > 0; steps--) {
      if (tx < ty) { cx += sx; tx += tdx; } else { cy += sy; ty += tdy; }
      put(cx, cy, entry);
    }
  }
  L.from.forEach((a, i) => putSegment(a, L.to[i], { link: i }));
  P.from.forEach((a, i) => putSegment(a, P.to[i], { pump: i }));

  function segmentDistance(px, py, a, b) {
    const ax = N.x[a], ay = N.y[a], dx = N.x[b] - ax, dy = N.y[b] - ay;
    const length = dx * dx + dy * dy;
    const t = length > 0 ? Math.max(0, Math.min(1, ((px - ax) * dx + (py - ay) * dy) / length)) : 0;
    return Math.hypot(px - ax - t * dx, py - ay - t * dy);
  }
  // The node within `reach` of (px, py), else the nearest link or pump link.
  function pick(px, py, reach) {
    let node = null, nodeDistance = reach * 0.8, line = null, lineDistance = reach;
    for (let cy = Math.floor((py - reach) / cell); cy <= Math.floor((py + reach) / cell); cy++) {
      for (let cx = Math.floor((px - reach) / cell); cx <= Math.floor((px + reach) / cell); cx++) {
        for (const e of grid.get(cy * columns + cx) || []) {
          if (e.node !== undefined) {
            const d = Math.hypot(N.x[e.node] - px, N.y[e.node] - py);
            if (d < nodeDistance) { nodeDistance = d; node = { what: "node", i: e.node }; }
          } else {
            const ends = e.link !== undefined ? [L.from[e.link], L.to[e.link]] : [P.from[e.pump], P.to[e.pump]];
            const d = segmentDistance(px, py, ends[0], ends[1]);
            if (d < lineDistance) {
              lineDistance = d;
              line = e.link !== undefined ? { what: "link", i: e.link } : { what: "pump", i: e.pump };
            }
          }
        }
      }
    }
    return node || line;
  }

  // --- The view box: pan and zoom.
  let view = { x: 0, y: 0, w: D.width, h: D.height };
  const spacing = Math.sqrt((D.width * D.height) / Math.max(N.id.length, 1));  // between nodes
  let shownLevel = null;
  function scale() { return svg.clientWidth / view.w; }
  function apply() {
    // Keep the box in the element's proportions, so one scale holds both ways.
    const aspect = svg.clientHeight / Math.max(svg.clientWidth, 1);
    const cy = view.y + view.h / 2;
    view.h = view.w * aspect;
    view.y = cy - view.h / 2;
    svg.setAttribute("viewBox", [view.x, view.y, view.w, view.h].join(" "));
    const s = scale();
    // The labels of level 0 always show; further levels as the view closes in.
    const level = Math.max(0, Math.floor(Math.log2(s / D.labelScale) + 1e-9));
    if (level !== shownLevel) {
      labelGroups.forEach((g) => { g.style.display = Number(g.dataset.level) <= level ? "" : "none"; });
      shownLevel = level;
    }
    const labels = svg.getElementById("labels");
    labels.setAttribute("font-size", (11 / s).toFixed(4));
    labels.setAttribute("stroke-width", (3 / s).toFixed(4));
    // Manholes show once they stand apart on the screen.
    svg.classList.toggle("far", s * spacing < 14);
  }
  // The zoom buttons stand at the left edge: a fitted drawing keeps clear of
  // them, in screen pixels whatever the scale.
  const FREE = { left: 54, right: 12, top: 12, bottom: 12 };
  function fit(x0, y0, x1, y1, margin) {
    const w = Math.max(x1 - x0, 1e-6) * (1 + 2 * margin), h = Math.max(y1 - y0, 1e-6) * (1 + 2 * margin);
    const cw = Math.max(svg.clientWidth, 1), ch = Math.max(svg.clientHeight, 1);
    const fw = Math.max(cw - FREE.left - FREE.right, 1), fh = Math.max(ch - FREE.top - FREE.bottom, 1);
    const s = Math.min(fw / w, fh / h);
    view.w = cw / s;
    view.h = ch / s;
    view.x = (x0 + x1) / 2 - (FREE.left + fw / 2) / s;
    view.y = (y0 + y1) / 2 - (FREE.top + fh / 2) / s;
    apply();
  }
  function whole() { fit(0, 0, D.width, D.height, 0.01); }
  function zoom(factor, px, py) {
    const w = Math.min(Math.max(view.w / factor, D.width / 4096), D.width * 4);
    const f = w / view.w;
    view.x = px - (px - view.x) * f;
    view.y = py - (py - view.y) * f;
    view.w = w;
    view.h *= f;
    apply();
  }
  function pan(dx, dy) { view.x += dx; view.y += dy; apply(); }
  function pointer(event) {
    const r = svg.getBoundingClientRect(), s = scale();
    return [view.x + (event.clientX - r.left) / s, view.y + (event.clientY - r.top) / s];
  }

  // --- What an element is: the info panel.
  function text(value) { return value === null || value === undefined ? "–" : String(value); }
  function escape(value) {
    return text(value).replace(/[&<>"]/g, (c) => ({ "&": "&amp;", "<": "&lt;", ">": "&gt;", '"': "&quot;" })[c]);
  }
  function rows(list) {
    return "<table>" + list.filter((r) => r).map((r) => "<tr><th>" + r[0] + "</th><td>" + escape(r[1]) + "</td></tr>").join("") + "</table>";
  }
  // Branch 0 is no branch: the end of a branch that meets nothing.
  function meets(branch, section) {
    return branch ? "branch " + branch + ", section " + section : "none";
  }
  function branchRows(number) {
    const b = branchByNumber.get(number);
    if (b === undefined) return "";
    return "<h3>" + (B.loop[b] ? "Loop branch " : "Branch ") + number + "</h3>" + rows([
      ["sections", B.sections[b]],
      ["nodes / links", B.nodes[b].length + " / " + B.links[b].length],
      ["downstream", meets(B.down[b], B.downSection[b])],
      ["upstream", meets(B.up[b], B.upSection[b])],
      B.storageOutlet[b] ? ["storage outlet branch", "yes"] : null,
      B.singleStorage[b] ? ["single storage node", "yes"] : null,
    ]);
  }
  function nodeLabel(i) {
    return i < 0 ? "–" : N.id[i] + (N.name ? " " + N.name[i] : "");
  }
  function describe(hit) {
    const i = hit.i;
    if (hit.what === "node") {
      const type = N.storage[i] && N.type[i] !== 2 ? "storage node (by its flag)" : NODE_TYPES[N.type[i]] || "type " + N.type[i];
      return { title: "Node " + N.id[i], id: N.id[i], branch: N.branch[i], html: rows([
        N.name ? ["SWMM name", N.name[i]] : null,
        ["kind", type + (N.role[i] ? "; " + NODE_ROLES[N.role[i]] : "")],
        ["branch number", N.branch[i] === 0 ? "none" : N.branch[i]], ["index in branch", N.index[i]],
        ["upstream section", N.section[i]],
      ]) + branchRows(N.branch[i]) };
    }
    if (hit.what === "link") {
      return { title: "Link " + L.id[i], id: L.id[i], branch: L.branch[i], html: rows([
        L.name ? ["SWMM name", L.name[i]] : null,
        ["kind", (LINK_TYPES[L.type[i]] || "type " + L.type[i]) + ", " + LINK_ROLES[L.role[i]]],
        ["from / to", nodeLabel(L.from[i]) + " → " + nodeLabel(L.to[i])],
        ["branch number", L.branch[i] === 0 ? "none" : L.branch[i]], ["upstream section", L.section[i]],
        ["direction as drawn", L.same[i] === null ? null : L.same[i] ? "same" : "reversed"],
      ]) + branchRows(L.branch[i]) };
    }
    if (hit.what === "pump") {
      return { title: "Pump link " + P.id[i], id: P.id[i], branch: P.upBranch[i], html: rows([
        P.name ? ["SWMM name", P.name[i]] : null,
        ["lifts from", nodeLabel(P.from[i])], ["into", nodeLabel(P.to[i])],
        ["upstream", meets(P.upBranch[i], P.upSection[i])],
        ["downstream", meets(P.downBranch[i], P.downSection[i])],
      ]) };
    }
    return { title: (B.loop[i] ? "Loop branch " : "Branch ") + B.number[i], id: B.number[i], branch: B.number[i],
      html: branchRows(B.number[i]).replace(/^<h3>.*?<\/h3>/, "") + rows([
        ["first node", nodeLabel(B.nodes[i][0])],
        ["last node", nodeLabel(B.nodes[i][B.nodes[i].length - 1])],
      ]) };
  }
  function show(hit) {
    if (!hit) {
      info.innerHTML = '<p class="hint">Point at a link or node to see what the parser made of it; click to keep it here.</p>';
      info.removeAttribute("data-kind");
      return;
    }
    const d = describe(hit);
    info.innerHTML = "<h2>" + escape(d.title) + "</h2>" + d.html;
    info.setAttribute("data-kind", hit.what);
    info.setAttribute("data-id", text(d.id));
    info.setAttribute("data-branch", text(d.branch));
  }

  // --- Selection: highlighted, shown, centred.
  let selected = null;
  function ends(hit) {
    if (hit.what === "node") return [hit.i];
    if (hit.what === "link") return [L.from[hit.i], L.to[hit.i]];
    if (hit.what === "pump") return [P.from[hit.i], P.to[hit.i]];
    return B.nodes[hit.i];
  }
  function outline(hit) {
    if (!hit) return "";
    if (hit.what === "branch") return svg.querySelector('path[data-b="' + hit.i + '"]').getAttribute("d");
    return ends(hit).filter((n) => n >= 0).map((n, k) => (k ? "L" : "M") + N.x[n] + " " + N.y[n]).join("") + (hit.what === "node" ? "h0" : "");
  }
  function select(hit, centre) {
    selected = hit;
    hl.setAttribute("d", outline(hit));
    hl.setAttribute("class", hit && hit.what === "node" ? "node" : "");
    show(hit);
    if (!hit || !centre) return;
    const nodes = ends(hit).filter((n) => n >= 0);
    if (!nodes.length) return;
    const xs = nodes.map((n) => N.x[n]), ys = nodes.map((n) => N.y[n]);
    // Close enough to tell the neighbours apart, yet with a few round it.
    const span = Math.min(Math.max(spacing * 4, D.width / 40), D.width);
    const cx = (Math.min(...xs) + Math.max(...xs)) / 2, cy = (Math.min(...ys) + Math.max(...ys)) / 2;
    const half = Math.max(Math.max(...xs) - Math.min(...xs), Math.max(...ys) - Math.min(...ys), span) / 2;
    fit(cx - half, cy - half, cx + half, cy + half, 0.15);
  }

  // --- Search by ID or name: "17", "node 17", "branch 3", "J17".
  function search(query) {
    const m = query.trim().match(/^(node|link|pump|branch)?\s*:?\s*(.*)$/i);
    const only = m[1] ? m[1].toLowerCase() : null, term = m[2].trim();
    const found = [];
    const want = (what) => !only || only === what;
    if (/^-?\d+$/.test(term)) {
      const id = Number(term);
      if (want("node") && nodeById.has(id)) found.push({ what: "node", i: nodeById.get(id) });
      if (want("link") && linkById.has(id)) found.push({ what: "link", i: linkById.get(id) });
      if (want("pump") && pumpById.has(id)) found.push({ what: "pump", i: pumpById.get(id) });
      if (want("branch") && branchByNumber.has(id)) found.push({ what: "branch", i: branchByNumber.get(id) });
    }
    for (const hit of byName.get(term.toLowerCase()) || []) {
      if (want(hit.what)) found.push(hit);
    }
    return found;
  }
  function hitName(hit) {
    const names = { node: N.name, link: L.name, pump: P.name }[hit.what];
    const id = { node: N.id, link: L.id, pump: P.id, branch: B.number }[hit.what][hit.i];
    const kind = hit.what === "branch" && B.loop[hit.i] ? "loop branch" : hit.what === "pump" ? "pump link" : hit.what;
    return kind + " " + id + (names ? " · " + names[hit.i] : "");
  }
  function find(query) {
    const found = search(query);
    hits.innerHTML = "";
    if (!found.length) {
      hits.innerHTML = '<div class="none">Nothing has the ID or name ' + escape(query) + "</div>";
      return;
    }
    select(found[0], true);
    if (found.length > 1) {
      found.forEach((hit) => {
        const button = document.createElement("button");
        button.type = "button";
        button.textContent = hitName(hit);
        button.addEventListener("click", () => select(hit, true));
        hits.appendChild(button);
      });
    }
  }

  // --- Mouse and keyboard.
  let drag = null;
  svg.addEventListener("pointerdown", (e) => {
    drag = { x: e.clientX, y: e.clientY, moved: false };
    svg.setPointerCapture(e.pointerId);
  });
  svg.addEventListener("pointermove", (e) => {
    if (drag) {
      const dx = e.clientX - drag.x, dy = e.clientY - drag.y;
      if (drag.moved || Math.abs(dx) + Math.abs(dy) > 3) {
        drag.moved = true;
        svg.classList.add("dragging");
        pan(-dx / scale(), -dy / scale());
        drag.x = e.clientX;
        drag.y = e.clientY;
      }
      return;
    }
    if (!selected) {
      const [x, y] = pointer(e);
      show(pick(x, y, 8 / scale()));
    }
  });
  svg.addEventListener("pointerup", (e) => {
    const click = drag && !drag.moved;
    drag = null;
    svg.classList.remove("dragging");
    if (click) {
      const [x, y] = pointer(e);
      select(pick(x, y, 8 / scale()), false);
    }
  });
  svg.addEventListener("wheel", (e) => {
    e.preventDefault();
    const [x, y] = pointer(e);
    zoom(Math.pow(1.0015, -e.deltaY), x, y);
  }, { passive: false });
  document.addEventListener("keydown", (e) => {
    if (e.target === q) {
      if (e.key === "Escape") q.blur();
      return;
    }
    const step = view.w / 8, cx = view.x + view.w / 2, cy = view.y + view.h / 2;
    const keys = {
      ArrowLeft: () => pan(-step, 0), ArrowRight: () => pan(step, 0),
      ArrowUp: () => pan(0, -step), ArrowDown: () => pan(0, step),
      "+": () => zoom(1.5, cx, cy), "=": () => zoom(1.5, cx, cy), "-": () => zoom(1 / 1.5, cx, cy),
      "0": whole, "/": () => q.focus(), Escape: () => { select(null); hits.innerHTML = ""; },
    };
    if (keys[e.key] && !e.ctrlKey && !e.metaKey && !e.altKey) {
      e.preventDefault();
      keys[e.key]();
    }
  });
  document.getElementById("zoom-in").addEventListener("click", () => zoom(1.5, view.x + view.w / 2, view.y + view.h / 2));
  document.getElementById("zoom-out").addEventListener("click", () => zoom(1 / 1.5, view.x + view.w / 2, view.y + view.h / 2));
  document.getElementById("zoom-all").addEventListener("click", whole);
  document.getElementById("find").addEventListener("submit", (e) => {
    e.preventDefault();
    find(q.value);
    main.focus();
  });
  window.addEventListener("resize", apply);

  whole();
  show(null);
  // A search passed in the address: view.html#search=17
  const wanted = /[#&]search=([^&]*)/.exec(location.hash);
  if (wanted) {
    q.value = decodeURIComponent(wanted[1]);
    find(q.value);
  }
  document.documentElement.setAttribute("data-ready", "1");
})();
